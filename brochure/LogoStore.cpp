#include "brochure/LogoStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace lw {
namespace {

const QStringList kSuffixes{QStringLiteral("png"), QStringLiteral("jpg")};

QString logoPath(const QString& suffix) {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/logo.") + suffix;
}

} // namespace

QString storedLogoPath() {
    for (const QString& suffix : kSuffixes)
        if (QFile::exists(logoPath(suffix)))
            return logoPath(suffix);
    return {};
}

std::optional<StoredLogo> readStoredLogo() {
    const QString path = storedLogoPath();
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return StoredLogo{file.readAll(), path.section(QLatin1Char('.'), -1)};
}

QString storeLogo(const std::optional<StoredLogo>& logo) {
    if (logo) {
        const QString path = logoPath(logo->suffix);
        QDir().mkpath(QFileInfo(path).absolutePath());
        // Written whole under another name and renamed: a crash never
        // leaves half a logo.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(logo->bytes) != logo->bytes.size() ||
            !file.commit())
            return QStringLiteral("Cannot keep the logo in %1: %2").arg(path, file.errorString());
    }
    for (const QString& suffix : kSuffixes)
        if (!logo || suffix != logo->suffix)
            QFile::remove(logoPath(suffix));
    return {};
}

} // namespace lw
