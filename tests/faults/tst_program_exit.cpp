// The real program, however it ends, leaves no office process and no working
// file behind: a normal session, SIGTERM, kill -9, and a start-up with no
// engine beside it. Each run gets its own settings, cache and working folder.
#include "tests/support/OfficeProcesses.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

using namespace lw;

namespace {

// One start of the program, in folders of its own.
class ProgramRun {
public:
    explicit ProgramRun(const QString& program = programPath()) {
        for (const QString& folder : {configPath(), tempPath()})
            QDir().mkpath(folder);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configPath());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.path() + QStringLiteral("/data"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), cachePath());
        environment.insert(QStringLiteral("TEMP"), tempPath());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.remove(QStringLiteral("LEAFWRIGHT_TESTING"));
        process.setProcessEnvironment(environment);
        process.setProgram(program);
    }
    ~ProgramRun() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
        for (pid_t pid : offices())
            ::kill(pid, SIGKILL);
    }

    static QString programPath() {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/leafwright");
    }
    QString configPath() const { return m_dir.path() + QStringLiteral("/config"); }
    QString cachePath() const { return m_dir.path() + QStringLiteral("/cache"); }
    QString tempPath() const { return m_dir.path() + QStringLiteral("/temp"); }
    QByteArray marker() const {
        return QFile::encodeName(cachePath() + QStringLiteral("/leafwright/office-profile-"));
    }
    QList<pid_t> offices() const { return test::processesWith(marker()); }
    QStringList tempEntries() const {
        return QDir(tempPath())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    void start(const char* readyVariable) {
        QProcessEnvironment environment = process.processEnvironment();
        environment.insert(QString::fromLatin1(readyVariable), QStringLiteral("1"));
        process.setProcessEnvironment(environment);
        process.start();
    }
    // Waits for the "ready" line on the program's output.
    bool waitUntilReady() {
        return test::waitFor(
                   [this] {
                       process.waitForReadyRead(50);
                       m_output += process.readAllStandardOutput();
                       return m_output.contains("ready\n") ||
                              process.state() == QProcess::NotRunning;
                   },
                   60000) &&
               m_output.contains("ready\n");
    }
    // The office the program started: one, a child of the program.
    pid_t itsOffice() const {
        const QList<pid_t> found = offices();
        if (found.size() != 1)
            return 0;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(found.first()));
        if (!stat.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray line = stat.readAll();
        const pid_t parent = line.mid(line.lastIndexOf(')') + 4).split(' ').value(0).toInt();
        return parent == pid_t(process.processId()) ? found.first() : 0;
    }
    bool officeProfileWasMade() const {
        return QFileInfo(cachePath() + QStringLiteral("/leafwright/office-profile-0")).isDir();
    }
    // The socket files of the offices a program started.
    QStringList pipesOf(qint64 programPid) const {
        const QString pattern =
            QStringLiteral("OSL_PIPE_%1_leafwright-%2-*").arg(getuid()).arg(programPid);
        return QDir(QStringLiteral("/tmp")).entryList({pattern}, QDir::System);
    }

    QProcess process;

private:
    QTemporaryDir m_dir;
    QByteArray m_output;
};

} // namespace

class ProgramExitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QFileInfo(ProgramRun::programPath()).isExecutable()); }

    void normalSessionLeavesNothing() {
        ProgramRun run;
        run.start("LEAFWRIGHT_EXIT_WHEN_READY");
        QVERIFY(run.process.waitForFinished(60000));
        QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.process.exitCode(), 0);
        QCOMPARE(run.process.readAllStandardOutput(), QByteArray("ready\n"));
        QVERIFY(run.officeProfileWasMade()); // an office did run
        QCOMPARE(run.offices(), QList<pid_t>());
        QCOMPARE(run.tempEntries(), QStringList());
    }

    void terminationSignalEndsTheOrderlyWay() {
        ProgramRun run;
        run.start("LEAFWRIGHT_REPORT_READY");
        QVERIFY(run.waitUntilReady());
        const pid_t office = run.itsOffice();
        QVERIFY(office != 0);
        ::kill(pid_t(run.process.processId()), SIGTERM);
        QVERIFY(run.process.waitForFinished(30000));
        QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.process.exitCode(), 0);
        QCOMPARE(run.offices(), QList<pid_t>());
        QCOMPARE(run.tempEntries(), QStringList());
    }

    void killedProgramTakesItsOfficeAlong() {
        ProgramRun run;
        run.start("LEAFWRIGHT_REPORT_READY");
        QVERIFY(run.waitUntilReady());
        const pid_t office = run.itsOffice();
        QVERIFY(office != 0);
        const qint64 programPid = run.process.processId();
        ::kill(pid_t(programPid), SIGKILL);
        QVERIFY(run.process.waitForFinished(5000));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(test::waitUntilEnded(office, 10000));
        qInfo("the office ended %lld ms after the program was killed", timer.elapsed());
        QCOMPARE(run.offices(), QList<pid_t>());
        // Only its record of what it made, which the next start removes
        // together with the office's socket.
        QCOMPARE(run.tempEntries().size(), 1);
        QCOMPARE(run.pipesOf(programPid).size(), 1);
        run.start("LEAFWRIGHT_EXIT_WHEN_READY");
        QVERIFY(run.process.waitForFinished(60000));
        QCOMPARE(run.process.exitCode(), 0);
        QCOMPARE(run.tempEntries(), QStringList());
        QCOMPARE(run.pipesOf(programPid), QStringList());
    }

    // The program alone, without the engine module beside it: it says that
    // no engine could be created, starts no office, and still ends the
    // orderly way while its message is up.
    void noEngineStartsNoOffice() {
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("leafwright"));
        QVERIFY(QFile::copy(ProgramRun::programPath(), program));
        ProgramRun run(program);
        run.start("LEAFWRIGHT_REPORT_READY");
        QVERIFY(run.process.waitForStarted(10000));
        QByteArray errors;
        QVERIFY(test::waitFor(
            [&] {
                run.process.waitForReadyRead(50);
                errors += run.process.readAllStandardError();
                return errors.contains("No word-processing engine");
            },
            30000));
        // The message is modal: the window never comes to take input.
        QTest::qWait(1500);
        QCOMPARE(run.process.state(), QProcess::Running);
        QCOMPARE(run.process.readAllStandardOutput(), QByteArray());
        QCOMPARE(run.offices(), QList<pid_t>());
        QVERIFY(!run.officeProfileWasMade());
        ::kill(pid_t(run.process.processId()), SIGTERM);
        QVERIFY(run.process.waitForFinished(10000));
        QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.process.exitCode(), 0);
        QCOMPARE(run.tempEntries(), QStringList());
    }
};

QTEST_MAIN(ProgramExitTest)
#include "tst_program_exit.moc"
