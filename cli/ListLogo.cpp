#include "cli/ListLogo.h"

#include <QFileInfo>

namespace lw::cli {

ListLogo listLogoPath(const QDir& listFolder, const QString& written) {
    QString relative = written;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString outside =
        QStringLiteral("the logo \"%1\" is outside the list's folder; a logo is named by its "
                       "path from the list's folder, such as logos/acme.png")
            .arg(written);
    if (QDir::isAbsolutePath(relative))
        return {{}, outside};
    relative = QDir::cleanPath(relative);
    if (relative == QLatin1String("..") || relative.startsWith(QLatin1String("../")))
        return {{}, outside};
    const QString path = listFolder.absoluteFilePath(relative);
    // A link inside the folder may still lead out of it.
    const QString real = QFileInfo(path).canonicalFilePath();
    const QString folder = QFileInfo(listFolder.absolutePath()).canonicalFilePath();
    if (!real.isEmpty() && !folder.isEmpty() &&
        !real.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/')))
        return {{}, outside};
    return {path, {}};
}

} // namespace lw::cli
