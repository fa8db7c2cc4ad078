#include "shell/DataFiles.h"

#include "shell/AppInfo.h"
#include "shell/FileRoutines.h"

#include <QDir>

namespace lw {

QString installedDataFolder() {
    return QDir::cleanPath(programFile(QStringLiteral(LEAFWRIGHT_DATA_FROM_PROGRAM)));
}

QString dataFile(const QString& name) {
    const QString beside = programFile(name);
    if (PathExists(beside))
        return beside;
    const QString installed = QDir(installedDataFolder()).filePath(name);
    return PathExists(installed) ? installed : beside;
}

} // namespace lw
