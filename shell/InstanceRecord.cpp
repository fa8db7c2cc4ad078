#include "shell/InstanceRecord.h"

#include "shell/FileRoutines.h"
#include "shell/LeftoverSweep.h"
#include "shell/ProgramEnd.h"
#include "shell/WriteAll.h"

#include <QFile>
#include <QFileInfo>

#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lw {
namespace {

struct Record {
    int fd = -1;
    QString path;
    bool tried = false;
};

Record& record() {
    static Record instance;
    return instance;
}

// Made on first use, so a start that makes nothing writes nothing. Locked
// until the process ends; the descriptor is not passed on to the office or
// to workers, so a killed process's record is free at once.
int openRecord() {
    Record& r = record();
    if (r.tried)
        return r.fd;
    r.tried = true;
    QString folder;
    try {
        folder = temporaryFolder();
    } catch (const Failure&) {
        return -1;
    }
    QByteArray name =
        QFile::encodeName(folder + QLatin1Char('/') + QLatin1String(kInstanceRecordPrefix) +
                          QString::number(::getpid()) + QStringLiteral("-XXXXXX"));
    const int fd = ::mkostemp(name.data(), O_CLOEXEC | O_APPEND);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        ::unlink(name.constData());
        return -1;
    }
    r.fd = fd;
    r.path = QFile::decodeName(name);
    addShutdownStep([] {
        // Whatever the program's own clean-up could not remove (an office's
        // lock file after it was killed) goes with the record.
        removeListedLeftovers(record().path);
        ::close(record().fd);
        record().fd = -1;
    });
    return fd;
}

void append(const QString& path, dev_t device, ino_t inode) {
    const int fd = openRecord();
    if (fd < 0 || path.isEmpty())
        return;
    QByteArray entry = QByteArray::number(quint64(device)) + ' ' +
                       QByteArray::number(quint64(inode)) + ' ' +
                       QFile::encodeName(QFileInfo(path).absoluteFilePath()) + '\0';
    // An entry the disk did not take only leaves its file to be tidied by
    // hand after a kill; the program goes on.
    (void)writeAll(fd, entry);
}

} // namespace

void recordPathToMake(const QString& path) {
    append(path, 0, 0);
}

void recordMadeFile(const QString& path, int fd) {
    struct stat info {};
    if ((fd >= 0 ? ::fstat(fd, &info) : ::lstat(QFile::encodeName(path).constData(), &info)) == 0)
        append(path, info.st_dev, info.st_ino);
}

QString officeLockFileOf(const QString& documentPath) {
    const QFileInfo document(documentPath);
    return document.path() + QStringLiteral("/.~lock.") + document.fileName() + QLatin1Char('#');
}

} // namespace lw
