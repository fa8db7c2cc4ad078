#pragma once

// The private office profile a process of ours runs on. An office started on a
// profile that is already in use hands its work to the running one and exits,
// so each profile folder is held by one process of ours at a time; a folder
// is reused while free, because a start on an existing profile is about a third
// of a second faster than one that creates it.

#include <QLockFile>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace lw::word::office {

// The socket the office makes in /tmp for a pipe of this name.
QString pipeSocketPath(const QString& pipeName);

class OfficeProfile {
public:
    // A free profile folder of the pool, locked until this object goes away;
    // a one-time folder when every one of the pool is in use.
    static std::unique_ptr<OfficeProfile> acquire();

    QString folder() const { return m_folder; }
    // The folder as the office's -env:UserInstallation value.
    QString url() const;
    // The socket in /tmp by which an office on this profile tells a second
    // one started on it to hand over; named after the profile, and left
    // behind when the office is killed.
    QString singleInstanceSocket() const;

private:
    OfficeProfile() = default;

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QTemporaryDir> m_oneTimeFolder;
};

} // namespace lw::word::office
