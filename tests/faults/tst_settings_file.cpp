// The settings file damaged or unusable when the program starts: the main
// window comes up with what can be read, and typing goes on.
#include "brochure/BrochureProduct.h"
#include "brochure/FieldStore.h"
#include "shell/ProgramEnd.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/FakeWord.h"
#include "tests/support/TestHome.h"
#include "ui/Form1.h"

#include <QLineEdit>
#include <QSettings>
#include <QTest>

#include <unistd.h>

using namespace lw;

namespace {

QStringList fieldTexts(const Form1& form) {
    QStringList texts;
    for (int i = 0; i < kFieldCount; ++i)
        texts << form.Text1(i)->text();
    return texts;
}

void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
    test::TestHome home;

    // The window starts with empty fields, reports nothing and does not end.
    void startsEmpty(Form1& form, test::FakePrompts& prompts) {
        form.Form_Load();
        QCOMPARE(fieldTexts(form), QStringList(kFieldCount, QString()));
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));
        QVERIFY(prompts.messages.isEmpty());
    }

    // The store cannot be written where it lives: typing goes on with a
    // warning for each change, and the values live only in this process's
    // settings cache, lost when it ends; a command that fills the fields
    // reports each one it could not keep.
    void typingGoesOnUnstored(Form1& form, test::FakePrompts& prompts) {
        typeInto(form.Text1(0), QStringLiteral("Quillon"));
        QCOMPARE(form.Text1(0)->text(), QStringLiteral("Quillon"));
        QVERIFY(prompts.errors.isEmpty()); // typing is not interrupted
        form.PushButton4_Click();
        QCOMPARE(prompts.errors.size(), kFieldCount);
        // One report per field, down the form, on its own line.
        QCOMPARE(prompts.errorLines(),
                 QList<int>({100, 102, 104, 106, 108, 110, 112, 114, 116, 118}));
        for (const QString& report : prompts.errors)
            QVERIFY2(report.startsWith(QStringLiteral("The field could not be saved to ")),
                     qPrintable(report));
        QCOMPARE(form.Text1(0)->text(), QStringLiteral("Tessaly"));
    }

private slots:
    void initTestCase() {
        setProgramExitForTesting([](int code) { throw ProgramEnded{code}; });
    }
    void init() {
        home.reset();
        QFile::setPermissions(home.settingsFile(), QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(home.settingsFile());
        QDir(home.settingsFile()).removeRecursively();
        QDir().mkpath(QFileInfo(home.settingsFile()).absolutePath());
    }

    void corruptedFileKeepsWhatParses() {
        QFile file(home.settingsFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\xff\xfe\x00\x01[[[unclosed\n=\n\x80\x81garbage", 27));
        file.write("\n[Leafwright]\n" + FieldKey(2).toLatin1() + "=Kept\n");
        file.write(QByteArray("\x00\x02\x03\n\xc3(\xa0\xa1=\n[", 13));
        file.close();

        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        Form1 form;
        form.Form_Load();
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));
        QStringList expected(kFieldCount, QString());
        expected[2] = QStringLiteral("Kept");
        QCOMPARE(fieldTexts(form), expected);

        // Typing stores as ever, beside what was kept.
        typeInto(form.Text1(3), QStringLiteral("802-555-0100"));
        QSettings reread(home.settingsFile(), QSettings::IniFormat);
        QCOMPARE(reread.value(QStringLiteral("Leafwright/") + FieldKey(3)).toString(),
                 QStringLiteral("802-555-0100"));
        QCOMPARE(reread.value(QStringLiteral("Leafwright/") + FieldKey(2)).toString(),
                 QStringLiteral("Kept"));
        Form1 restarted;
        restarted.Form_Load();
        QCOMPARE(restarted.Text1(3)->text(), QStringLiteral("802-555-0100"));
        QCOMPARE(restarted.Text1(2)->text(), QStringLiteral("Kept"));
    }

    void settingsPathIsAFolder() {
        QVERIFY(QDir().mkpath(home.settingsFile()));
        QFile inside(home.settingsFile() + QStringLiteral("/keep.txt"));
        QVERIFY(inside.open(QIODevice::WriteOnly));
        inside.write("x");
        inside.close();
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        Form1 form;
        startsEmpty(form, prompts);
        typingGoesOnUnstored(form, prompts);
        QVERIFY(QFileInfo(home.settingsFile()).isDir());
        QVERIFY(inside.exists());
    }

    void unreadableFile() {
        if (::geteuid() == 0)
            QSKIP("file permissions do not keep root from reading or writing");
        QSettings store(home.settingsFile(), QSettings::IniFormat);
        store.setValue(QStringLiteral("Leafwright/") + FieldKey(0), QStringLiteral("hidden"));
        store.sync();
        QVERIFY(QFile::setPermissions(home.settingsFile(), QFile::Permissions()));
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        Form1 form;
        startsEmpty(form, prompts);
        typingGoesOnUnstored(form, prompts);
    }
};

QTEST_MAIN(SettingsFileTest)
#include "tst_settings_file.moc"
