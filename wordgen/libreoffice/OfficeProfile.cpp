#include "wordgen/libreoffice/OfficeProfile.h"

#include "wordgen/libreoffice/MadePaths.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lw::word::office {

namespace {

constexpr int kPoolSize = 8;
// A profile nobody has started an office on for this long is only disk space
// (tens of megabytes); made again, it costs about a third of a second once.
constexpr int kUnusedDays = 30;

QString poolFolder() {
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty())
        cache = QDir::homePath() + QStringLiteral("/.cache");
    return cache + QStringLiteral("/leafwright");
}

QString slotFolder(const QString& pool, int slot) {
    return pool + QStringLiteral("/office-profile-%1").arg(slot);
}

// Removes the pool's profiles unused for kUnusedDays and those beyond its
// size (a pool that was larger once), with their lock files. A profile in use
// is locked by its owner and stays; so does anything that is not a profile
// folder of ours, a symbolic link included.
void prunePool(const QString& pool) {
    static const QRegularExpression profileName(
        QStringLiteral("^office-profile-(0|[1-9][0-9]{0,8})(\\.lock)?$"));
    QSet<int> found;
    for (const QString& name :
         QDir(pool).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QRegularExpressionMatch match = profileName.match(name);
        if (match.hasMatch())
            found.insert(match.captured(1).toInt());
    }
    const QDateTime unusedSince = QDateTime::currentDateTimeUtc().addDays(-kUnusedDays);
    for (const int slot : std::as_const(found)) {
        const QString folder = slotFolder(pool, slot);
        const QFileInfo info(folder);
        if (info.isSymLink())
            continue;
        const bool unused = info.isDir() && info.lastModified().toUTC() < unusedSince;
        if (slot < kPoolSize && !unused)
            continue;
        QLockFile lock(folder + QStringLiteral(".lock"));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue;
        if (info.isDir())
            QDir(folder).removeRecursively();
        // Unlocking removes the lock file too.
    }
}

// A profile's last use is the time its folder was last modified; taking it
// counts as a use even before the office writes to it.
void markUsed(const QString& folder) {
    ::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), nullptr, 0);
}

} // namespace

std::unique_ptr<OfficeProfile> OfficeProfile::acquire() {
    std::unique_ptr<OfficeProfile> profile(new OfficeProfile);
    const QString pool = poolFolder();
    // Once per program start, before a profile is taken.
    static bool pruned = false;
    if (!pruned) {
        pruned = true;
        prunePool(pool);
    }
    if (QDir().mkpath(pool)) {
        for (int slot = 0; slot < kPoolSize; ++slot) {
            const QString folder = slotFolder(pool, slot);
            auto lock = std::make_unique<QLockFile>(folder + QStringLiteral(".lock"));
            // Held for as long as the office runs; only a dead owner frees it.
            lock->setStaleLockTime(0);
            if (lock->tryLock(0)) {
                markUsed(folder);
                profile->m_folder = folder;
                profile->m_lock = std::move(lock);
                return profile;
            }
        }
    }
    profile->m_oneTimeFolder =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + "/leafwright-office-XXXXXX");
    profile->m_folder = profile->m_oneTimeFolder->path();
    recordPathToMake(profile->m_folder);
    return profile;
}

QString OfficeProfile::url() const {
    return QString::fromLatin1(QUrl::fromLocalFile(m_folder).toEncoded());
}

QString pipeSocketPath(const QString& pipeName) {
    return QStringLiteral("/tmp/OSL_PIPE_%1_%2").arg(getuid()).arg(pipeName);
}

QString OfficeProfile::singleInstanceSocket() const {
    // The office's name for it: the MD5 of the profile's URL as UTF-16 in
    // memory order, each byte in hexadecimal without leading zeros.
    const QString profile = url();
    const QByteArray digest = QCryptographicHash::hash(
        QByteArray(reinterpret_cast<const char*>(profile.utf16()), profile.size() * 2),
        QCryptographicHash::Md5);
    QString name = QStringLiteral("SingleOfficeIPC_");
    for (const char byte : digest)
        name += QString::number(uchar(byte), 16);
    return pipeSocketPath(name);
}

} // namespace lw::word::office
