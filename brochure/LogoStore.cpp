#include "brochure/LogoStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace lw {
namespace {

const QStringList kSuffixes{QStringLiteral("png"), QStringLiteral("jpg")};

QString windowLogoStem() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/logo");
}

} // namespace

QString logoFileAt(const QString& stem) {
    for (const QString& suffix : kSuffixes)
        if (QFile::exists(stem + u'.' + suffix))
            return stem + u'.' + suffix;
    return {};
}

std::optional<StoredLogo> readLogoFile(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return StoredLogo{file.readAll(), path.section(QLatin1Char('.'), -1)};
}

QString writeLogoAt(const QString& stem, const std::optional<StoredLogo>& logo) {
    if (logo) {
        const QString path = stem + u'.' + logo->suffix;
        QDir().mkpath(QFileInfo(path).absolutePath());
        // Written whole under another name and renamed: a crash never
        // leaves half a logo.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(logo->bytes) != logo->bytes.size() ||
            !file.commit())
            return file.errorString();
    }
    for (const QString& suffix : kSuffixes)
        if (!logo || suffix != logo->suffix)
            QFile::remove(stem + u'.' + suffix);
    return {};
}

QString storedLogoPath() {
    return logoFileAt(windowLogoStem());
}

std::optional<StoredLogo> readStoredLogo() {
    return readLogoFile(storedLogoPath());
}

QString storeLogo(const std::optional<StoredLogo>& logo) {
    if (const QString reason = writeLogoAt(windowLogoStem(), logo); !reason.isEmpty())
        return QStringLiteral("Cannot keep the logo in %1: %2")
            .arg(windowLogoStem() + u'.' + logo->suffix, reason);
    return {};
}

} // namespace lw
