#include "shell/AppInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>

namespace lw {
namespace {
QString g_programFolderOverride;
// Kept here, not as the application's display name: the window system would
// append a display name to every window's title ("Application Error — ...").
QString g_applicationTitle;
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
    return g_applicationTitle.isEmpty() ? QString::fromLatin1(kProductTitle) : g_applicationTitle;
}

void setApplicationTitle(const QString& title) {
    g_applicationTitle = title;
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
