#include "wordgen/WorkingFiles.h"

#include "shell/BitmapFile.h"
#include "shell/Failure.h"
#include "shell/FileRoutines.h"
#include "shell/InstanceRecord.h"
#include "shell/WriteAll.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lw {

void SaveBytesToFile(const QByteArray& bytes, const QString& path) {
    QCoreApplication::processEvents();
    if (PathExists(path))
        return;
    if (!SaveBytesToNewFile(bytes, path))
        throw systemFailure(QStringLiteral("Cannot create"), path);
}

bool SaveBytesToNewFile(const QByteArray& bytes, const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EEXIST || errno == ELOOP)
            return false;
        throw systemFailure(QStringLiteral("Cannot create"), path);
    }
    if (const int error = writeAll(fd, bytes)) {
        errno = error;
        const Failure failure = systemFailure(QStringLiteral("Cannot write"), path);
        ::close(fd);
        ::unlink(QFile::encodeName(path).constData());
        throw failure;
    }
    if (::close(fd) != 0)
        throw systemFailure(QStringLiteral("Cannot write"), path);
    return true;
}

QString saveNewWorkingFile(const QString& prefix, const QString& suffix, const QByteArray& bytes) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = temporaryPath(
            QStringLiteral("%1-%2.%3")
                .arg(prefix)
                .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'))
                .arg(suffix));
        recordPathToMake(path);
        if (SaveBytesToNewFile(bytes, path))
            return path;
    }
    return {};
}

bool reserveWorkingFile(const QString& path) {
    try {
        return SaveBytesToNewFile(QByteArray(), path);
    } catch (const Failure&) {
        // A folder that takes no file: the save that follows says why.
        return true;
    }
}

void keepPrivate(const QString& path) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::getuid() &&
        (info.st_mode & 0077) != 0)
        ::fchmod(fd, info.st_mode & 0700);
    ::close(fd);
}

int drawNameDigit(QRandomGenerator& generator) {
    return 1 + int(generator.bounded(9));
}

std::unique_ptr<QFile> savePictureReplacing(const QImage& picture, const QString& path) {
    if (picture.isNull())
        throw Failure(QStringLiteral("Invalid picture"));
    // A new file of our own beside the target, then renamed over it: the
    // rename replaces whatever entry has that name, a link included.
    auto file = std::make_unique<QTemporaryFile>(path + QStringLiteral(".XXXXXX"));
    if (!file->open())
        throw Failure(QStringLiteral("Cannot create %1: %2").arg(path, file->errorString()));
    recordPathToMake(file->fileName());
    if (!writeBitmap(picture, *file) || !file->flush())
        throw Failure(QStringLiteral("Cannot write %1: %2").arg(path, file->errorString()));
    recordMadeFile(path, file->handle());
    if (::rename(QFile::encodeName(file->fileName()).constData(),
                 QFile::encodeName(path).constData()) != 0)
        throw systemFailure(QStringLiteral("Cannot replace"), path);
    file->setAutoRemove(false);
    return file;
}

void deleteIfStillHeld(const QString& path, const QFile& held) {
    const QByteArray encoded = QFile::encodeName(path);
    struct stat named {};
    struct stat ours {};
    if (held.handle() >= 0 && ::fstat(held.handle(), &ours) == 0 &&
        ::lstat(encoded.constData(), &named) == 0 && named.st_dev == ours.st_dev &&
        named.st_ino == ours.st_ino)
        ::unlink(encoded.constData());
}

} // namespace lw
