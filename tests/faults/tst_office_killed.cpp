// The office process killed in the middle of a generation run, on the real
// engine: the run reports the loss once and reaches its end, and the next
// run starts a new office and succeeds.
#include "shell/ProgramEnd.h"
#include "tests/support/EngineRunFixture.h"
#include "tests/support/ExpectedReports.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/OfficeProcesses.h"
#include "tests/support/PhaseHook.h"
#include "tests/support/RunResults.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/PictureBox.h"
#include "wordgen/EngineModule.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

using namespace lw;

class OfficeKilledTest : public QObject {
    Q_OBJECT
    test::EngineRunFixture fixture;

private slots:
    void initTestCase() { QCOMPARE(fixture.startEngine(), QString()); }
    void cleanupTestCase() { QVERIFY(fixture.stopEngine()); }
    void init() { fixture.reset(); }

    void killedOfficeIsReportedAndReplaced_data() {
        QTest::addColumn<QByteArray>("phase");
        QTest::addColumn<QList<int>>("expectedLines");
        // The template kept in the office knows its texts: the first step
        // that needs the office is the first replacement, in a shape.
        QTest::newRow("after opening the template")
            << QByteArray("open") << test::fromTheShapeReplacementsOn();
        QTest::newRow("after the story pass")
            << QByteArray("story pass") << test::fromTheShapeReplacementsOn();
        QTest::newRow("after the colours") << QByteArray("colours") << test::fromTheSaveOn();
    }

    void killedOfficeIsReportedAndReplaced() {
        QFETCH(QByteArray, phase);
        QFETCH(QList<int>, expectedLines);
        test::FakePrompts prompts;
        const auto window = test::EngineRunFixture::sampleWindow();
        Form1& form = *window;
        form.show();
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));

        pid_t killed = 0;
        test::PhaseHook hook(phase, [&] {
            const QList<pid_t> offices = fixture.cache.offices();
            QCOMPARE(offices.size(), 1);
            killed = offices.first();
            ::kill(killed, SIGKILL);
            QVERIFY(test::waitUntilEnded(killed, 5000));
        });
        QElapsedTimer timer;
        timer.start();
        form.PushButton6_Click();
        qInfo("failing run took %lld ms", timer.elapsed());
        QVERIFY(hook.fired());
        QVERIFY(killed != 0);

        // One failure, one box: it says what happened, and the steps that
        // fail after it for the same reason go to the log.
        QCOMPARE(prompts.errorLines(), expectedLines.mid(0, 1));
        const QStringList descriptions = test::descriptionsOf(prompts.errors);
        QVERIFY(!descriptions.contains(QString()));
        QVERIFY2(descriptions.first().contains(QStringLiteral("engine stopped unexpectedly")),
                 qPrintable(descriptions.first()));
        // The run reached its end: the preview shows, with no document behind it.
        QVERIFY(!form.mBusy);
        Form2& preview = Form2::instance();
        QVERIFY(preview.isVisible());
        QVERIFY(form.isHidden());
        QVERIFY(!preview.mWordFile.isEmpty());
        QVERIFY(!QFile::exists(preview.mWordFile));
        // Nothing half-made is left to be picked up by the next run.
        QCOMPARE(fixture.workingFolderEntries(), QStringList());

        // Back in the main window, the fields are as they were and take input.
        preview.PushButton8_Click();
        QVERIFY(form.isVisible());
        QCOMPARE(form.Text1(0)->text(), QStringLiteral("Tessaly"));
        form.Text1(0)->setFocus();
        form.Text1(0)->selectAll();
        QTest::keyClicks(form.Text1(0), QStringLiteral("Quillon"));
        QCOMPARE(form.Text1(0)->text(), QStringLiteral("Quillon"));
        QVERIFY(form.PushButton6()->isEnabled());

        // The next run starts a new office and succeeds.
        test::FakePrompts again;
        form.PushButton6_Click();
        QVERIFY2(again.errors.isEmpty(), qPrintable(again.errors.join("\n")));
        const QList<pid_t> offices = fixture.cache.offices();
        QCOMPARE(offices.size(), 1);
        QVERIFY(offices.first() != killed);
        QVERIFY(!preview.Picture1()->picture().isNull());
        const QString text = test::textOfDoc(preview.mWordFile);
        QCOMPARE(test::tokensIn(text), QStringList());
        QVERIFY(text.contains(QStringLiteral("Quillon")));
        QVERIFY(text.contains(QStringLiteral("802-555-0147")));
        const QString doc = preview.mWordFile;
        preview.PushButton8_Click();
        QVERIFY(!QFile::exists(doc));
    }

    // A run whose page picture cannot be made must not show the earlier
    // run's page as its own result: the preview opens empty. (A picture the
    // clipboard still holds is taken as the page, as the snapshot is defined;
    // here the user has copied text since.)
    void failedRunShowsNoPageOfAnEarlierRun() {
        test::FakePrompts prompts;
        const auto window = test::EngineRunFixture::sampleWindow();
        Form1& form = *window;
        form.PushButton6_Click();
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));
        Form2& preview = Form2::instance();
        const QImage earlier = preview.Picture1()->picture();
        QVERIFY(!earlier.isNull());
        preview.PushButton8_Click();
        QGuiApplication::clipboard()->setText(QStringLiteral("copied since"));

        test::PhaseHook hook("story pass", [&] {
            for (pid_t pid : fixture.cache.offices())
                ::kill(pid, SIGKILL);
        });
        form.PushButton6_Click();
        QVERIFY(hook.fired());
        QCOMPARE(prompts.errorLines().size(), 1);
        QVERIFY(!QFile::exists(preview.mWordFile));
        QVERIFY(preview.Picture1()->picture().isNull());
        preview.PushButton8_Click();
    }

    // The office's connection is a socket that its library writes to
    // without sparing the writer SIGPIPE: an office that dies while a call
    // is being sent must make the write fail, not end the program (here
    // the test, whose handler reports the signal as a crash).
    void aWriteToAnOfficeThatDiedFailsWithoutEndingTheProgram() {
        int ends[2];
        QCOMPARE(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
        ::close(ends[1]);
        const char byte = 0;
        QCOMPARE(::write(ends[0], &byte, 1), ssize_t(-1));
        QCOMPARE(errno, EPIPE);
        ::close(ends[0]);
    }
};

QTEST_MAIN(OfficeKilledTest)
#include "tst_office_killed.moc"
