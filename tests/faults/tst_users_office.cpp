// The user's own office already running on the default profile: generation
// runs use an office and a profile of their own, and leave the user's office
// running and its profile untouched.
#include "shell/ProgramEnd.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/OfficeProcesses.h"
#include "tests/support/RunResults.h"
#include "tests/support/TestHome.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "wordgen/EngineModule.h"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

using namespace lw;

namespace {

// Every file of a folder tree with its size and time of last change.
QStringList filesAndTimes(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        files << QStringLiteral("%1 %2 %3")
                     .arg(info.filePath())
                     .arg(info.size())
                     .arg(info.lastModified().toMSecsSinceEpoch());
    }
    files.sort();
    return files;
}

} // namespace

class UsersOfficeTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_userHome;
    test::TestHome home;
    QProcess m_launcher;
    QByteArray m_pipeName;
    pid_t m_usersOffice = 0;

    QString defaultProfile() const {
        return m_userHome.path() + QStringLiteral("/.config/libreoffice");
    }
    QList<pid_t> usersProcesses() const { return test::processesWith("name=" + m_pipeName + ';'); }

    QStringList m_socketsBefore;

private slots:
    void initTestCase() {
        // The home of a user who runs an office on its default profile; the
        // program keeps its own cache there, as it would.
        qputenv("HOME", m_userHome.path().toUtf8());
        qunsetenv("XDG_CACHE_HOME");
        m_pipeName = "usersoffice-" + QByteArray::number(getpid());
        m_socketsBefore = test::handOverSockets();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("XDG_CONFIG_HOME")); // ~/.config, the default
        m_launcher.setProcessEnvironment(environment);
        m_launcher.setProgram(QStringLiteral("soffice"));
        m_launcher.setArguments(
            {QStringLiteral("--headless"), QStringLiteral("--invisible"),
             QStringLiteral("--norestore"),
             QStringLiteral("--accept=pipe,name=%1;urp;").arg(QString::fromLatin1(m_pipeName))});
        m_launcher.start();
        QVERIFY(m_launcher.waitForStarted(10000));
        const QString pipeFile = test::pipeSocketPath(QString::fromLatin1(m_pipeName));
        QVERIFY2(test::waitFor([&] { return QFile::exists(pipeFile); }, 60000),
                 "the user's office did not come up");
        for (pid_t pid : usersProcesses()) {
            QFile exe(QStringLiteral("/proc/%1/exe").arg(pid));
            if (exe.symLinkTarget().endsWith(QStringLiteral("/soffice.bin")))
                m_usersOffice = pid;
        }
        QVERIFY(m_usersOffice != 0);
        QVERIFY(QFileInfo(defaultProfile()).isDir());

        setProgramExitForTesting([](int code) { throw ProgramEnded{code}; });
        QCOMPARE(word::loadEngineModules(), QString());
    }

    void cleanupTestCase() {
        word::stopEngines();
        for (pid_t pid : usersProcesses())
            ::kill(pid, SIGKILL);
        m_launcher.waitForFinished(5000);
        QFile::remove(test::pipeSocketPath(QString::fromLatin1(m_pipeName)));
        // The killed office's socket for a second office on its profile.
        test::removeHandOverSocketsSince(m_socketsBefore);
    }

    void runsBesideTheUsersOffice() {
        // Let the user's office settle, then take stock of its profile.
        QTest::qWait(1000);
        const QStringList profileBefore = filesAndTimes(defaultProfile());
        const QByteArray ourProfiles =
            QFile::encodeName(m_userHome.path() + QStringLiteral("/.cache/leafwright/"));

        test::FakePrompts prompts;
        Form1 form;
        form.Form_Load();
        form.PushButton4_Click();
        QList<pid_t> ourOffices;
        for (int run = 1; run <= 2; ++run) {
            form.PushButton6_Click();
            QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));
            const QString doc = Form2::instance().mWordFile;
            const QString text = test::textOfDoc(doc);
            QCOMPARE(test::tokensIn(text), QStringList());
            QVERIFY(text.contains(QStringLiteral("Tessaly")));
            ourOffices += test::processesWith(ourProfiles);
            Form2::instance().PushButton8_Click();
        }
        // Our runs had an office of their own on a profile of their own.
        QVERIFY(!ourOffices.isEmpty());
        QVERIFY(!ourOffices.contains(m_usersOffice));
        for (pid_t pid : test::processesWith(QFile::encodeName(defaultProfile())))
            QVERIFY(pid == m_usersOffice || usersProcesses().contains(pid));

        // The user's office runs on, the same process, its profile unchanged.
        QVERIFY(usersProcesses().contains(m_usersOffice));
        const char state = test::processState(m_usersOffice);
        QVERIFY2(state == 'S' || state == 'R', &state);
        QCOMPARE(filesAndTimes(defaultProfile()), profileBefore);
    }
};

QTEST_MAIN(UsersOfficeTest)
#include "tst_users_office.moc"
