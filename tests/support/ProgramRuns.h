#pragma once

#include "tests/support/OfficeProcesses.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace lw::test {

// The program run as a script runs it: no display at all (it must choose for
// itself), a home of its own for its settings, office profiles and working
// folder, and nothing of a run left behind. A test class derives from it.
class ProgramRuns {
protected:
    QTemporaryDir m_home;
    QProcess m_process;
    // A folder searched for programs before the PATH, when not empty.
    QString m_pathBefore;

    QString path(const QString& name) const { return m_home.filePath(name); }
    QString tempPath() const { return path(QStringLiteral("temp")); }
    // What the command lines of this home's offices hold.
    QByteArray officeMarker() const {
        return QFile::encodeName(path(QStringLiteral("cache/leafwright/office-profile-")));
    }

    void start(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        environment.remove(QStringLiteral("LEAFWRIGHT_TESTING"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), path(QStringLiteral("cache")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
        environment.insert(QStringLiteral("TEMP"), tempPath());
        if (!m_pathBefore.isEmpty())
            environment.insert(QStringLiteral("PATH"),
                               m_pathBefore + QLatin1Char(':') +
                                   environment.value(QStringLiteral("PATH")));
        QDir().mkpath(tempPath());
        m_process.setProcessEnvironment(environment);
        m_process.setWorkingDirectory(m_home.path());
        m_process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/leafwright"),
                        arguments);
        QVERIFY(m_process.waitForStarted());
    }

    // The exit status of a whole run; -1 when it crashed or did not end.
    int run(const QStringList& arguments, QString* errors = nullptr, QString* output = nullptr) {
        start(arguments);
        if (!m_process.waitForFinished(120000))
            return -1;
        if (errors)
            *errors = QString::fromUtf8(m_process.readAllStandardError());
        if (output)
            *output = QString::fromUtf8(m_process.readAllStandardOutput());
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    // Nothing of a run outlives it: no worker, no office, no working file.
    void verifyNothingLeft() {
        QVERIFY(waitUntilNoneWith("--batch-worker", 5000));
        QVERIFY(waitUntilNoneWith(officeMarker(), 5000));
        QCOMPARE(
            QDir(tempPath())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                           QDir::Name),
            QStringList());
    }

    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray readFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Ends what a failed test left running: the program and its offices.
    void stopLeftovers() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
        for (pid_t pid : processesWith(officeMarker()))
            ::kill(pid, SIGKILL);
    }
};

} // namespace lw::test
