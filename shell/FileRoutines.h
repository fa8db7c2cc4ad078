#pragma once

#include "shell/Failure.h"

#include <QFileDevice>
#include <QString>

namespace lw {

// True when the path's last-modified time can be read; never fails.
bool PathExists(const QString& path);

// Deletes a file and ignores every failure (missing, locked, a folder).
void DeleteFileQuietly(const QString& path);

// Deletes a plain file only when this user owns it; a link, a folder or
// another user's file stays. Ignores every failure.
void deleteOwnFileQuietly(const QString& path);

// "<what> <path>: <the system's reason for errno>", to throw after a failed
// system call on path.
Failure systemFailure(const QString& what, const QString& path);

// Deletes a file; a failure throws with the system's reason.
void DeleteFileOrFail(const QString& path);

// The folder for working files: $TEMP when it is set and not empty, otherwise
// a private folder of this user under the system's temporary folder, created
// readable and writable by its owner only.
QString temporaryFolder();

// temporaryFolder() + "/" + name.
QString temporaryPath(const QString& name);

// The permissions a new file of the user's gets: what the umask leaves of
// read and write for all. A file made under a temporary name (private at
// first) gets these before it takes its real name.
QFileDevice::Permissions newFilePermissions();

} // namespace lw
