// An office that stops responding in the middle of a generation run, on the
// real engine: the call that waits on it is given up after the engine's call
// limit, the run reports its failures and ends in bounded time, and the next
// run succeeds on a new office.
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

#include <QElapsedTimer>
#include <QTest>

using namespace lw;

class OfficeHungTest : public QObject {
    Q_OBJECT
    test::EngineRunFixture fixture;
    pid_t m_stopped = 0;

private slots:
    void initTestCase() {
        qputenv("LEAFWRIGHT_ENGINE_CALL_TIMEOUT", "3");
        QCOMPARE(fixture.startEngine(), QString());
    }
    void cleanupTestCase() {
        QVERIFY(fixture.stopEngine());
        qunsetenv("LEAFWRIGHT_ENGINE_CALL_TIMEOUT");
    }
    void init() { fixture.reset(); }
    void cleanup() {
        // Whatever happened, a stopped office of ours does not stay.
        if (m_stopped != 0) {
            test::signalIfStillOurs(m_stopped, fixture.cache.marker(), SIGCONT);
            test::signalIfStillOurs(m_stopped, fixture.cache.marker(), SIGKILL);
            m_stopped = 0;
        }
    }

    void hungOfficeIsGivenUpInBoundedTime_data() {
        QTest::addColumn<QByteArray>("phase");
        QTest::addColumn<int>("hungLine");
        QTest::addColumn<QList<int>>("expectedLines");
        // The template kept in the office knows its texts: the first call
        // to meet the hang is the first replacement, in a shape.
        QTest::newRow("replacing in the shapes")
            << QByteArray("open") << 160 << test::fromTheShapeReplacementsOn();
        QTest::newRow("saving") << QByteArray("colours") << 182 << test::fromTheSaveOn();
    }

    void hungOfficeIsGivenUpInBoundedTime() {
        QFETCH(QByteArray, phase);
        QFETCH(int, hungLine);
        QFETCH(QList<int>, expectedLines);
        test::FakePrompts prompts;
        const auto window = test::EngineRunFixture::sampleWindow();
        Form1& form = *window;

        test::PhaseHook hook(phase, [&] {
            const QList<pid_t> offices = fixture.cache.offices();
            QCOMPARE(offices.size(), 1);
            m_stopped = offices.first();
            ::kill(m_stopped, SIGSTOP);
            QVERIFY(test::waitUntilStopped(m_stopped));
        });
        QElapsedTimer timer;
        timer.start();
        form.PushButton6_Click();
        const qint64 elapsed = timer.elapsed();
        qInfo("run with a hung office ended after %lld ms", elapsed);
        QVERIFY(hook.fired());
        QVERIFY(m_stopped != 0);
        QVERIFY(elapsed < 60000);
        // One call limit for the hung call, not one per step after it.
        QVERIFY(elapsed < 20000);

        // No second box after the one about the hang.
        QCOMPARE(prompts.errorLines(), expectedLines.mid(0, 1));
        const QStringList descriptions = test::descriptionsOf(prompts.errors);
        QVERIFY(!descriptions.contains(QString()));
        QCOMPARE(prompts.errorLines().first(), hungLine);
        QVERIFY2(descriptions.first().contains(QStringLiteral("stopped responding within 3 "
                                                              "seconds")),
                 qPrintable(descriptions.first()));
        QVERIFY(!form.mBusy);
        QVERIFY(Form2::instance().isVisible());
        // The stopped office was ended, not left frozen beside the new one.
        QVERIFY(test::waitUntilEnded(m_stopped, 5000));
        Form2::instance().PushButton8_Click();
        QCOMPARE(fixture.workingFolderEntries(), QStringList());

        test::FakePrompts again;
        form.PushButton6_Click();
        QVERIFY2(again.errors.isEmpty(), qPrintable(again.errors.join("\n")));
        QCOMPARE(fixture.cache.offices().size(), 1);
        QVERIFY(!fixture.cache.offices().contains(m_stopped));
        const QString doc = Form2::instance().mWordFile;
        QCOMPARE(test::tokensIn(test::textOfDoc(doc)), QStringList());
        QVERIFY(!Form2::instance().Picture1()->picture().isNull());
        Form2::instance().PushButton8_Click();
        QVERIFY(!QFile::exists(doc));
    }
};

QTEST_MAIN(OfficeHungTest)
#include "tst_office_hung.moc"
