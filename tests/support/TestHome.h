#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>

namespace lw::test {

// Points the settings store and the working folder of the code under test at
// a private temporary folder, so tests never touch the user's own.
class TestHome {
public:
    TestHome() {
        qputenv("XDG_CONFIG_HOME", configPath().toUtf8());
        qputenv("TEMP", tempPath().toUtf8());
        QDir().mkpath(configPath());
        QDir().mkpath(tempPath());
    }
    QString path() const { return m_dir.path(); }
    QString configPath() const { return m_dir.path() + QStringLiteral("/config"); }
    QString tempPath() const { return m_dir.path() + QStringLiteral("/temp"); }
    QString settingsFile() const { return configPath() + QStringLiteral("/Tessaly/Leafwright.conf"); }

private:
    QTemporaryDir m_dir;
};

} // namespace lw::test
