#include "shell/ErrorReport.h"
#include "shell/GuardedProcedure.h"
#include "tests/support/FakePrompts.h"
#include "wordgen/WordObjects.h"

#include <QTest>

using namespace lw;

class ErrorReportTest : public QObject {
    Q_OBJECT
private slots:
    void messageTextIsExact() {
        const QString text = errorReportText(
            QStringLiteral("Permission denied"),
            locationString(QStringLiteral("Form1"), QStringLiteral("PushButton3_Click")), 100);
        QCOMPARE(text, QStringLiteral("Permission denied\r\nin Leafwright2021/08/31.Form1."
                                      "PushButton3_Click at line 100\r\rPlease email screenshot "
                                      "of this message to support@leafwright.app"));
    }

    void emptyDescriptionStartsWithTheLineBreak() {
        const QString text = errorReportText(QString(), QStringLiteral("in X.Y.Z "), 7);
        QVERIFY(text.startsWith(QStringLiteral("\r\nin X.Y.Z at line 7\r\r")));
    }

    void failingStepIsReportedAndTheNextOneRuns() {
        test::FakePrompts prompts;
        GuardedProcedure trap(QStringLiteral("Form1"), QStringLiteral("PushButton4_Click"));
        QStringList ran;
        trap.step(100, [&] { ran << "100"; });
        trap.step(102, [&] {
            throw word::AutomationError(QStringLiteral("Disk full"));
            ran << "102 rest";
        });
        trap.step(104, [&] { ran << "104"; });
        QCOMPARE(ran, QStringList({"100", "104"}));
        QCOMPARE(prompts.errors.size(), 1);
        QVERIFY(prompts.errors.first().startsWith(
            QStringLiteral("Disk full\r\nin Leafwright2021/08/31.Form1.PushButton4_Click at line "
                           "102\r\r")));
    }

    void eachFailureGetsItsOwnReportInStepOrder() {
        test::FakePrompts prompts;
        GuardedProcedure trap(QStringLiteral("Form1"), QStringLiteral("Form_Load"));
        for (int line : {100, 104, 122})
            trap.step(line, [] { throw std::runtime_error("lost connection"); });
        QCOMPARE(prompts.errorLines(), QList<int>({100, 104, 122}));
        QCOMPARE(trap.failedLines(), std::vector<int>({100, 104, 122}));
    }

    void failureInsideACalledRoutineCountsForTheCallingStep() {
        test::FakePrompts prompts;
        GuardedProcedure trap(QStringLiteral("Form1"), QStringLiteral("PushButton6_Click"));
        const auto routineWithoutTrap = [] { throw Failure(QStringLiteral("inner")); };
        bool after = false;
        trap.step(108, [&] { routineWithoutTrap(); });
        trap.step(110, [&] { after = true; });
        QVERIFY(after);
        QCOMPARE(prompts.errorLines(), QList<int>({108}));
        QVERIFY(prompts.errors.first().contains("Form1.PushButton6_Click at line 108"));
    }

    void failingConditionRunsTheThenBranch() {
        test::FakePrompts prompts;
        GuardedProcedure trap(QStringLiteral("Form1"), QStringLiteral("Form_Load"));
        bool branch = false;
        if (trap.condition(122, []() -> bool { throw std::runtime_error("bad"); }))
            trap.step(124, [&] { branch = true; });
        QVERIFY(branch);
        QVERIFY(!trap.condition(126, [] { return false; }));
        QCOMPARE(prompts.errorLines(), QList<int>({122}));
    }

    void failingBodyStepLeadsOnThroughTheBodyAndTheLoopCarriesOn() {
        test::FakePrompts prompts;
        GuardedProcedure trap(QStringLiteral("Form1"), QStringLiteral("Form_Load"));
        QList<int> visited;
        trap.forCount(128, 0, 3, 132, [&](int i) {
            trap.step(130, [&] {
                if (i == 1)
                    throw std::runtime_error("one field");
                visited << i;
            });
        });
        QCOMPARE(visited, QList<int>({0, 2, 3}));
        QCOMPARE(prompts.errorLines(), QList<int>({130}));
    }

    void failingLoopHeaderEntersTheBodyAndFailingAdvanceLeavesTheLoop() {
        test::FakePrompts prompts;
        GuardedProcedure trap(QStringLiteral("Form1"), QStringLiteral("PushButton6_Click"));
        int bodies = 0;
        bool afterLoop = false;
        trap.forEach(
            118, []() -> bool { throw std::runtime_error("no collection"); }, 150,
            []() -> bool { throw std::runtime_error("loop not initialised"); },
            [&] {
                ++bodies;
                trap.step(122, [] { throw std::runtime_error("no item"); });
            });
        trap.step(152, [&] { afterLoop = true; });
        QCOMPARE(bodies, 1);
        QVERIFY(afterLoop);
        QCOMPARE(prompts.errorLines(), QList<int>({118, 122, 150}));
    }

    void collectionLoopVisitsEveryItemAndSkipsAnEmptyOne() {
        test::FakePrompts prompts;
        GuardedProcedure trap(QStringLiteral("Form1"), QStringLiteral("PushButton6_Click"));
        int item = 0;
        QList<int> seen;
        trap.forEach(
            154,
            [&] {
                item = 1;
                return true;
            },
            164, [&] { return ++item <= 3; }, [&] { seen << item; });
        QCOMPARE(seen, QList<int>({1, 2, 3}));
        trap.forEach(
            154, [] { return false; }, 164, [] { return false; }, [&] { seen << -1; });
        QCOMPARE(seen.size(), 3);
        QVERIFY(prompts.errors.isEmpty());
    }

    void failingLastStepEndsNormally() {
        test::FakePrompts prompts;
        GuardedProcedure trap(QStringLiteral("Form2"), QStringLiteral("RedrawImage"));
        trap.step(100, [] {});
        QVERIFY(!trap.step(102, [] { throw 42; }));
        QCOMPARE(prompts.errors.size(), 1);
        QVERIFY(prompts.errors.first().startsWith(QStringLiteral("Unknown error\r\n")));
    }

    void errorNumberIsNeverShown() {
        test::FakePrompts prompts;
        GuardedProcedure trap(QStringLiteral("Form1"), QStringLiteral("PushButton3_Click"));
        trap.step(100, [] { throw word::AutomationError(QStringLiteral("Object required")); });
        QVERIFY(prompts.errors.first().startsWith(QStringLiteral("Object required\r\n")));
    }
};

QTEST_GUILESS_MAIN(ErrorReportTest)
#include "tst_error_report.moc"
