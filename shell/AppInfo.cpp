#include "shell/AppInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QGuiApplication>

namespace lw {
namespace {
QString g_programFolderOverride;
} // namespace

QString shortTitle(const QString& productTitle) {
    QString title = productTitle;
    bool firstCut = true;
    while (firstCut || title.size() > 40) {
        const qsizetype blank = title.lastIndexOf(QLatin1Char(' '));
        if (blank < 0)
            break;
        title.truncate(blank);
        firstCut = false;
    }
    return title;
}

QString applicationTitle() {
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QString::fromLatin1(kProductTitle) : name;
}

void setApplicationTitle(const QString& title) {
    QGuiApplication::setApplicationDisplayName(title);
}

QString programFolder() {
    if (!g_programFolderOverride.isEmpty())
        return g_programFolderOverride;
    return QCoreApplication::applicationDirPath();
}

QString programFile(const QString& relativePath) {
    return QDir(programFolder()).filePath(relativePath);
}

void setProgramFolderForTesting(const QString& folder) {
    g_programFolderOverride = folder;
}

QIcon applicationIcon() {
    // Every size the icon is rendered at, so a task switcher, title bar or
    // dock picks a picture drawn for its size instead of scaling one.
    QIcon icon;
    QDirIterator pictures(QStringLiteral(":/leafwright/icons"), {QStringLiteral("*.png")},
                          QDir::Files, QDirIterator::Subdirectories);
    while (pictures.hasNext())
        icon.addFile(pictures.next());
    return icon;
}

} // namespace lw
