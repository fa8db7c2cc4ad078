#pragma once

#include "shell/InstanceRecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

namespace lw::test {

// Points the settings store and the working folder of the code under test at
// a private temporary folder, so tests never touch the user's own. The
// settings location is fixed at its first use in a process: make one TestHome
// for the whole test program and reset() it between tests.
class TestHome {
public:
    TestHome() {
        qputenv("XDG_CONFIG_HOME", configPath().toUtf8());
        qputenv("XDG_DATA_HOME", dataPath().toUtf8());
        qputenv("TEMP", tempPath().toUtf8());
        QDir().mkpath(configPath());
        QDir().mkpath(tempPath());
    }
    // Empties the settings store and the working folder.
    void reset() {
        QFile::remove(settingsFile());
        QDir(dataPath()).removeRecursively();
        QDir(tempPath()).removeRecursively();
        QDir().mkpath(tempPath());
        qputenv("TEMP", tempPath().toUtf8());
    }
    QString path() const { return m_dir.path(); }
    QString configPath() const { return m_dir.path() + QStringLiteral("/config"); }
    QString tempPath() const { return m_dir.path() + QStringLiteral("/temp"); }
    QString dataPath() const { return m_dir.path() + QStringLiteral("/data"); }
    QString settingsFile() const {
        return configPath() + QStringLiteral("/Tessaly/Leafwright.conf");
    }

private:
    QTemporaryDir m_dir;
};

// Everything in a folder, hidden entries included, but for a running test
// process's own record of what it made (kept there until the process ends).
inline QStringList entriesBesideRecord(const QString& folder) {
    QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                 QDir::NoDotAndDotDot);
    entries.removeIf([](const QString& name) { return name.startsWith(kInstanceRecordPrefix); });
    return entries;
}

} // namespace lw::test
