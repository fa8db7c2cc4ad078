#pragma once

// An office started headless on a profile that has never recorded the
// office's version runs its graphics self-test first: about 3 s of every
// start on a small machine, since headless it never records the version
// either. Each profile of ours records the version before the office starts.

#include <QByteArray>
#include <QString>

namespace lw::word::office {

// The office's version as its configuration gives it ("7.4"), read from the
// installation's main configuration; empty when it cannot be found.
QString installedOfficeVersion(const QString& programFolder);

// The profile settings file with `version` recorded as the last one used;
// `settings` may be empty (a profile not set up yet). Everything else in the
// file is kept.
QByteArray withLastUsedVersion(const QByteArray& settings, const QString& version);

// Records `version` in the profile's settings file, unless it is there
// already. Does nothing when the version is unknown.
void recordOfficeVersion(const QString& profileFolder, const QString& version);

} // namespace lw::word::office
