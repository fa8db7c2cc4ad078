#include "wordgen/libreoffice/OfficeProfile.h"

#include <QDir>
#include <QStandardPaths>
#include <QUrl>

namespace lw::word::office {

namespace {

constexpr int kPoolSize = 8;

QString poolFolder() {
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty())
        cache = QDir::homePath() + QStringLiteral("/.cache");
    return cache + QStringLiteral("/leafwright");
}

} // namespace

std::unique_ptr<OfficeProfile> OfficeProfile::acquire() {
    std::unique_ptr<OfficeProfile> profile(new OfficeProfile);
    const QString pool = poolFolder();
    if (QDir().mkpath(pool)) {
        for (int slot = 0; slot < kPoolSize; ++slot) {
            const QString folder = pool + QStringLiteral("/office-profile-%1").arg(slot);
            auto lock = std::make_unique<QLockFile>(folder + QStringLiteral(".lock"));
            // Held for as long as the office runs; only a dead owner frees it.
            lock->setStaleLockTime(0);
            if (lock->tryLock(0)) {
                profile->m_folder = folder;
                profile->m_lock = std::move(lock);
                return profile;
            }
        }
    }
    profile->m_oneTimeFolder =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + "/leafwright-office-XXXXXX");
    profile->m_folder = profile->m_oneTimeFolder->path();
    return profile;
}

QString OfficeProfile::url() const {
    return QString::fromLatin1(QUrl::fromLocalFile(m_folder).toEncoded());
}

} // namespace lw::word::office
