#include "shell/FileRoutines.h"
#include "shell/ProgramEnd.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/RunResults.h"
#include "tests/support/TestHome.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/PictureBox.h"
#include "wordgen/EngineModule.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QRegularExpression>
#include <QTest>

using namespace lw;

// A whole generation run from the main window to the preview, on the real
// engine and the real brochure template.
class WholeRunTest : public QObject {
    Q_OBJECT
    test::TestHome home;

private slots:
    void initTestCase() {
        setProgramExitForTesting([](int) {});
        QCOMPARE(word::loadEngineModules(), QString());
    }
    void cleanupTestCase() { word::stopEngines(); }
    void init() { home.reset(); }

    void sampleDataFillsTheBrochure() {
        test::FakePrompts prompts;
        Form1 form;
        form.Form_Load();
        form.PushButton4_Click();
        // The page picture passes through the clipboard, and leaves it as the
        // user had it.
        QGuiApplication::clipboard()->setText(QStringLiteral("copied before the run"));
        form.PushButton6_Click();
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("copied before the run"));
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasImage());
        QVERIFY(!form.mBusy);
        QVERIFY(form.isHidden());
        Form2& preview = Form2::instance();
        QVERIFY(preview.isVisible());
        QVERIFY(!preview.Picture1()->picture().isNull());
        const QString doc = preview.mWordFile;
        QVERIFY(QFile::exists(doc));
        QFile file(doc);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(4) == QByteArray("\xD0\xCF\x11\xE0", 4));
        const QString text = test::textOfDoc(doc);
        QCOMPARE(test::tokensIn(text), QStringList());
        // The address as the post office writes it: the second line on the
        // street's line, no comma after the city.
        for (const char* value :
             {"Tessaly", "Little Tool Shed", "417 Birchwoods Rd Apt 7", "Marshbrooke VT 05412",
              "802-555-0147", "802-555-0182", "support@tessaly.com"})
            QVERIFY2(text.contains(QString::fromUtf8(value)), value);
        QCOMPARE(text.count(QStringLiteral("Tessaly")), 2); // the cover and the back panel
        // The back panel and the call to action inside.
        QCOMPARE(text.count(QStringLiteral("802-555-0147")), 2);
        QCOMPARE(text.count(QStringLiteral("support@tessaly.com")), 2);
        // Only the working document is left in the working folder.
        QCOMPARE(QDir(home.tempPath()).entryList(QDir::Files),
                 QStringList({QFileInfo(doc).fileName()}));
        preview.PushButton8_Click();
        QVERIFY(!QFile::exists(doc));
        QVERIFY(form.isVisible());
    }

    void awkwardDataIsTakenLiterally() {
        test::FakePrompts prompts;
        Form1 form;
        form.Form_Load();
        form.PushButton3_Click();
        const QString longValue = QString(5000, QLatin1Char('x'));
        form.Text1(0)->setText(QStringLiteral("Café Ünïcode 北京 [City]"));
        form.Text1(1)->setText(QStringLiteral("Zürich"));
        form.Text1(7)->setText(longValue);
        form.Text1(3)->setText(QStringLiteral("$1 & \\1 ^p (.*)"));
        form.PushButton6_Click();
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));
        const QString doc = Form2::instance().mWordFile;
        const QString text = test::textOfDoc(doc);
        QCOMPARE(test::tokensIn(text), QStringList());
        QVERIFY(text.contains(QStringLiteral("Café Ünïcode 北京 Zürich")));
        QVERIFY(text.contains(QStringLiteral("$1 & \\1 ^p (.*)")));
        const QString squeezed =
            test::wvTextOfDoc(doc, home.path()).remove(QRegularExpression(QStringLiteral("\\s")));
        QVERIFY2(squeezed.contains(longValue), qPrintable(QString::number(squeezed.count(u'x'))));
        QVERIFY(!Form2::instance().Picture1()->picture().isNull());
        Form2::instance().PushButton8_Click();
    }
};

QTEST_MAIN(WholeRunTest)
#include "tst_whole_run.moc"
