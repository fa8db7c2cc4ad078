// A working folder (TEMP) that cannot take the run's files, on the real
// engine: every failing step is reported with a description, the run ends,
// nothing half-made stays, and a following run with a good folder succeeds.
#include "shell/ProgramEnd.h"
#include "tests/support/EngineRunFixture.h"
#include "tests/support/ExpectedReports.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/OfficeProcesses.h"
#include "tests/support/PhaseHook.h"
#include "tests/support/RunResults.h"
#include "tests/support/SmallDisk.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "wordgen/EngineModule.h"

#include <QElapsedTimer>
#include <QTest>

using namespace lw;

class WorkingFolderTest : public QObject {
    Q_OBJECT
    test::EngineRunFixture fixture;
    std::unique_ptr<Form1> m_form;

    // A run that must succeed, with the working folder restored.
    void goodRunFollows() {
        fixture.home.reset();
        test::FakePrompts prompts;
        m_form->PushButton6_Click();
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));
        const QString doc = Form2::instance().mWordFile;
        QCOMPARE(QFileInfo(doc).absolutePath(), fixture.home.tempPath());
        QCOMPARE(test::tokensIn(test::textOfDoc(doc)), QStringList());
        Form2::instance().PushButton8_Click();
    }

private slots:
    void initTestCase() {
        QCOMPARE(fixture.startEngine(), QString());
        test::FakePrompts prompts;
        m_form = test::EngineRunFixture::sampleWindow();
        QVERIFY(prompts.errors.isEmpty());
    }
    void cleanupTestCase() {
        m_form.reset();
        QVERIFY(fixture.stopEngine());
    }
    void init() { fixture.reset(); }

    void unusableFolderIsReported_data() {
        QTest::addColumn<bool>("isAFile");
        QTest::newRow("a regular file") << true;
        QTest::newRow("a missing folder") << false;
    }
    void unusableFolderIsReported() {
        QFETCH(bool, isAFile);
        const QString temp = fixture.home.path() + (isAFile ? QStringLiteral("/a file")
                                                            : QStringLiteral("/missing/folder"));
        if (isAFile) {
            QFile file(temp);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("someone's notes");
        }
        qputenv("TEMP", temp.toUtf8());

        test::FakePrompts prompts;
        m_form->PushButton6_Click();
        // The template cannot be written, so there is nothing to open, fill,
        // save or picture.
        QCOMPARE(prompts.errorLines(), QList<int>({108, 114}) + test::storyPassWithoutADocument() +
                                           test::fromTheShapePassOn());
        const QStringList descriptions = test::descriptionsOf(prompts.errors);
        QVERIFY(!descriptions.contains(QString()));
        QVERIFY2(descriptions.first().contains(temp), qPrintable(descriptions.first()));
        QVERIFY(!m_form->mBusy);
        QVERIFY(Form2::instance().isVisible());
        Form2::instance().PushButton8_Click();
        QVERIFY(m_form->isVisible());
        if (isAFile) {
            QFile file(temp);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("someone's notes"));
        } else {
            QVERIFY(!QFileInfo::exists(temp));
        }
        goodRunFollows();
    }

    // The disk fills up after the template was written: the working document
    // cannot be saved. The office does not fail the save but spins on it
    // until the call limit stops it, so the limit is short here.
    void fullDiskForTheWorkingDocument() {
        test::SmallDisk disk(fixture.home.path() + QStringLiteral("/small"), QStringLiteral("1m"));
        if (!disk.mounted())
            QSKIP(qPrintable(QStringLiteral("cannot mount a small disk: ") + disk.problem()));
        qputenv("TEMP", disk.path().toUtf8());
        qputenv("LEAFWRIGHT_ENGINE_CALL_TIMEOUT", "3");
        test::PhaseHook hook("template written", [&] { QVERIFY(disk.fill()); });

        test::FakePrompts prompts;
        QElapsedTimer timer;
        timer.start();
        m_form->PushButton6_Click();
        qInfo("run on a full disk ended after %lld ms", timer.elapsed());
        qunsetenv("LEAFWRIGHT_ENGINE_CALL_TIMEOUT");
        QVERIFY(hook.fired());
        // The save is refused; the office goes on working, so the document
        // still closes.
        QCOMPARE(prompts.errorLines(), QList<int>({182, 118, 120, 122, 124, 198}));
        QVERIFY(!test::descriptionsOf(prompts.errors).contains(QString()));
        QVERIFY(prompts.errors.first().startsWith(QStringLiteral("There is not enough space")));
        QVERIFY(timer.elapsed() < 3000); // refused at once, not stopped by the watchdog
        QVERIFY(!m_form->mBusy);
        const QString doc = Form2::instance().mWordFile;
        Form2::instance().PushButton8_Click();
        QVERIFY(!QFile::exists(doc));
        QVERIFY(!QFile::exists(disk.path() + QStringLiteral("/template.dot")));
        // Nothing of the office's is left beside the working document.
        const QStringList left = test::entriesBesideRecord(disk.path());
        QCOMPARE(left, QStringList({QStringLiteral("filler")}));
        goodRunFollows();
    }
};

QTEST_MAIN(WorkingFolderTest)
#include "tst_working_folder.moc"
