#include "shell/LeftoverSweep.h"

#include "shell/FileRoutines.h"
#include "shell/InstanceRecord.h"

#include <QByteArray>
#include <QFile>

#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lw {
namespace {

// A record with nothing in it yet may be one another process has just made
// and not locked yet; it is left alone until it is clearly old.
constexpr time_t kEmptyRecordAge = 60;

bool isRecordName(const char* name) {
    return std::strncmp(name, kInstanceRecordPrefix, std::strlen(kInstanceRecordPrefix)) == 0;
}

// Opens a record of this user's without following a link; -1 when it is not
// one.
int openRecordFile(const QByteArray& path, struct stat& info) {
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::getuid()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// True when a process that is still running holds a record in folder: a
// worker's folder is not removed under a worker that outlived its parent.
bool holdsLiveRecord(const QByteArray& folder) {
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return false;
    bool live = false;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isRecordName(entry->d_name))
            continue;
        struct stat info {};
        const int fd = openRecordFile(folder + '/' + entry->d_name, info);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_SH | LOCK_NB) != 0)
            live = true;
        ::close(fd);
    }
    ::closedir(dir);
    return live;
}

int removeEntry(const char* path, const struct stat*, int, FTW*) {
    ::remove(path);
    return 0;
}

void removeOwnFile(const QByteArray& path) {
    struct stat info {};
    if (::lstat(path.constData(), &info) == 0 && info.st_uid == ::getuid() &&
        (S_ISREG(info.st_mode) || S_ISSOCK(info.st_mode)))
        ::unlink(path.constData());
}

void removeListed(const QByteArray& path, dev_t device, ino_t inode) {
    struct stat info {};
    if (::lstat(path.constData(), &info) == 0 && info.st_uid == ::getuid() &&
        (inode == 0 || (info.st_dev == device && info.st_ino == inode))) {
        if (S_ISDIR(info.st_mode)) {
            if (!holdsLiveRecord(path))
                ::nftw(path.constData(), removeEntry, 16, FTW_PHYS | FTW_DEPTH);
        } else if (S_ISREG(info.st_mode) || S_ISSOCK(info.st_mode)) {
            ::unlink(path.constData());
        }
    }
    // The office's lock file, left when the office was killed with the
    // document open.
    removeOwnFile(QFile::encodeName(officeLockFileOf(QFile::decodeName(path))));
}

void removeEntries(const QByteArray& contents) {
    for (const QByteArray& entry : contents.split('\0')) {
        const int first = entry.indexOf(' ');
        const int second = first < 0 ? -1 : entry.indexOf(' ', first + 1);
        if (second < 0)
            continue;
        const QByteArray path = entry.mid(second + 1);
        if (!path.startsWith('/'))
            continue;
        removeListed(path, dev_t(entry.left(first).toULongLong()),
                     ino_t(entry.mid(first + 1, second - first - 1).toULongLong()));
    }
}

QByteArray readAll(int fd) {
    QByteArray contents;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        contents.append(buffer, n);
    return contents;
}

} // namespace

void removeListedLeftovers(const QString& recordPath) {
    const QByteArray path = QFile::encodeName(recordPath);
    struct stat info {};
    const int fd = openRecordFile(path, info);
    if (fd < 0)
        return;
    removeEntries(readAll(fd));
    ::unlink(path.constData());
    ::close(fd);
}

void sweepLeftovers() {
    QByteArray folder;
    try {
        folder = QFile::encodeName(temporaryFolder());
    } catch (const Failure&) {
        return;
    }
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isRecordName(entry->d_name))
            continue;
        const QByteArray path = folder + '/' + entry->d_name;
        struct stat info {};
        const int fd = openRecordFile(path, info);
        if (fd < 0)
            continue;
        // Held by a running process, or just made by one: not ours to sweep.
        const bool fresh = info.st_size == 0 && ::time(nullptr) - info.st_mtime < kEmptyRecordAge;
        if (!fresh && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            removeEntries(readAll(fd));
            ::unlink(path.constData());
        }
        ::close(fd);
    }
    ::closedir(dir);
}

} // namespace lw
