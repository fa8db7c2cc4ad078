#include "shell/FileRoutines.h"

#include "shell/Failure.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace lw {

bool PathExists(const QString& path) {
    if (path.isEmpty())
        return false;
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0;
}

void DeleteFileQuietly(const QString& path) {
    if (!path.isEmpty())
        ::unlink(QFile::encodeName(path).constData());
}

void deleteOwnFileQuietly(const QString& path) {
    const QByteArray encoded = QFile::encodeName(path);
    struct stat info {};
    if (!path.isEmpty() && ::lstat(encoded.constData(), &info) == 0 && info.st_uid == ::getuid() &&
        S_ISREG(info.st_mode))
        ::unlink(encoded.constData());
}

Failure systemFailure(const QString& what, const QString& path) {
    return Failure(
        QStringLiteral("%1 %2: %3").arg(what, path, QString::fromLocal8Bit(std::strerror(errno))));
}

void DeleteFileOrFail(const QString& path) {
    if (::unlink(QFile::encodeName(path).constData()) != 0)
        throw systemFailure(QStringLiteral("Cannot delete"), path);
}

namespace {

// A folder only this user can enter, made once per user; a folder of that name
// that someone else owns, or that others can open, is not used.
QString privateTemporaryFolder() {
    const QString folder =
        QDir::tempPath() + QStringLiteral("/leafwright-") + QString::number(::getuid());
    const QByteArray encoded = QFile::encodeName(folder);
    if (::mkdir(encoded.constData(), 0700) != 0 && errno != EEXIST)
        throw systemFailure(QStringLiteral("Cannot create the temporary folder"), folder);
    struct stat info {};
    if (::lstat(encoded.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid() || (info.st_mode & 0077) != 0)
        throw Failure(
            QStringLiteral("The temporary folder %1 is not private to this user. Set TEMP to a "
                           "folder of your own to work there instead.")
                .arg(folder));
    return folder;
}

} // namespace

QString temporaryFolder() {
    const QString temp = qEnvironmentVariable("TEMP");
    if (!temp.isEmpty())
        return temp;
    return privateTemporaryFolder();
}

QString temporaryPath(const QString& name) {
    return temporaryFolder() + QLatin1Char('/') + name;
}

QFileDevice::Permissions newFilePermissions() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions permissions;
    if (mode & S_IRUSR)
        permissions |= QFileDevice::ReadOwner | QFileDevice::ReadUser;
    if (mode & S_IWUSR)
        permissions |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    if (mode & S_IRGRP)
        permissions |= QFileDevice::ReadGroup;
    if (mode & S_IWGRP)
        permissions |= QFileDevice::WriteGroup;
    if (mode & S_IROTH)
        permissions |= QFileDevice::ReadOther;
    if (mode & S_IWOTH)
        permissions |= QFileDevice::WriteOther;
    return permissions;
}

} // namespace lw
