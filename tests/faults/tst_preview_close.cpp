// Closing the preview ends the program: the working document is deleted and
// the engine's office is stopped, after a real run on the real engine.
#include "shell/ProgramEnd.h"
#include "tests/support/EngineRunFixture.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/OfficeProcesses.h"
#include "tests/support/PhaseHook.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "wordgen/EngineModule.h"

#include <QTest>

using namespace lw;

class PreviewCloseTest : public QObject {
    Q_OBJECT
    test::EngineRunFixture fixture;

    // The program's end as outside tests, every shutdown step, then away.
    static void endingRunsTheShutdownSteps() {
        setProgramExitForTesting([](int code) {
            runShutdownSteps();
            throw ProgramEnded{code};
        });
    }

private slots:
    void initTestCase() { QCOMPARE(fixture.startEngine(), QString()); }
    void cleanupTestCase() { QVERIFY(fixture.stopEngine()); }

    void closingThePreviewLeavesNothing() {
        // As the program ends outside tests: every shutdown step, then away.
        int exitCode = -1;
        setProgramExitForTesting([&](int code) {
            exitCode = code;
            runShutdownSteps();
            throw ProgramEnded{code};
        });
        test::FakePrompts prompts;
        const auto window = test::EngineRunFixture::sampleWindow();
        Form1& form = *window;
        form.PushButton6_Click();
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));
        Form2& preview = Form2::instance();
        const QString doc = preview.mWordFile;
        QVERIFY(QFile::exists(doc));
        QCOMPARE(fixture.cache.offices().size(), 1);

        QVERIFY_THROWS_EXCEPTION(ProgramEnded, preview.close());
        QCOMPARE(exitCode, 0);
        QVERIFY(!QFile::exists(doc));
        QVERIFY(test::waitUntilNoneWith(fixture.cache.marker(), 5000));
        QCOMPARE(fixture.workingFolderEntries(), QStringList());
        QVERIFY(prompts.errors.isEmpty());
    }

    // A termination signal while the preview is open ends the program through
    // the same shutdown steps: the working document goes too.
    void endingWhileThePreviewIsOpenLeavesNothing() {
        endingRunsTheShutdownSteps();
        test::FakePrompts prompts;
        const auto window = test::EngineRunFixture::sampleWindow();
        Form1& form = *window;
        form.PushButton6_Click();
        const QString doc = Form2::instance().mWordFile;
        QVERIFY(QFile::exists(doc));
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, endProgram(0));
        QVERIFY(!QFile::exists(doc));
        QVERIFY(test::waitUntilNoneWith(fixture.cache.marker(), 5000));
        QVERIFY(prompts.errors.isEmpty());
    }

    // The program ends in the middle of a run, after the working document
    // was saved and before the preview had it: the document goes too.
    void endingInTheMiddleOfARunLeavesNothing() {
        endingRunsTheShutdownSteps();
        test::FakePrompts prompts;
        const auto window = test::EngineRunFixture::sampleWindow();
        QStringList whenSaved;
        const test::PhaseHook hook("save", [&] {
            whenSaved = fixture.workingFolderEntries().filter(QStringLiteral("tmpout"));
            endProgram(0);
        });
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, window->PushButton6_Click());
        QCOMPARE(whenSaved.size(), 1);
        QCOMPARE(fixture.workingFolderEntries(), QStringList());
        QVERIFY(test::waitUntilNoneWith(fixture.cache.marker(), 5000));
        QVERIFY(prompts.errors.isEmpty());
    }
};

QTEST_MAIN(PreviewCloseTest)
#include "tst_preview_close.moc"
