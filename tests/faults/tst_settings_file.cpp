// The settings file damaged, unusable or holding unusual values when the
// program starts: the main window comes up with everything that can be read,
// nothing stored is lost or changed behind the user's back, and the user is
// told once, in plain words, when something is wrong.
#include "brochure/BrochureProduct.h"
#include "brochure/FieldStore.h"
#include "shell/ProgramEnd.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/FakeWord.h"
#include "tests/support/SmallDisk.h"
#include "tests/support/TestHome.h"
#include "ui/Form1.h"

#include <QDir>
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

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QString storedValue(const QString& settingsFile, int index) {
    return QSettings(settingsFile, QSettings::IniFormat)
        .value(QStringLiteral("Leafwright/") + FieldKey(index))
        .toString();
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
    test::TestHome home;

    QStringList damagedCopies() const {
        return QDir(QFileInfo(home.settingsFile()).absolutePath())
            .entryList({QStringLiteral("Leafwright.conf.corrupt-*")}, QDir::Files);
    }

    // A store that cannot keep anything: one message at start-up naming the
    // file and the system's reason, none while typing or filling the fields,
    // and what is on disk stays as it was.
    void toldOnceThatNothingIsKept(const QString& reason) {
        const QByteArray before = bytesOf(home.settingsFile());
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        Form1 form;
        form.Form_Load();
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY2(prompts.messages.first().contains(home.settingsFile()) &&
                     prompts.messages.first().contains(reason) &&
                     prompts.messages.first().contains(QStringLiteral("will not be kept")),
                 qPrintable(prompts.messages.first()));
        typeInto(form.Text1(0), QStringLiteral("Quillon"));
        form.PushButton4_Click();
        form.PushButton3_Click();
        typeInto(form.Text1(5), QStringLiteral("a@b.c"));
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));
        QCOMPARE(form.Text1(5)->text(), QStringLiteral("a@b.c")); // still used for the brochure
        QCOMPARE(bytesOf(home.settingsFile()), before);
    }

private slots:
    void initTestCase() {
        setProgramExitForTesting([](int code) { throw ProgramEnded{code}; });
    }
    void init() {
        const QString folder = QFileInfo(home.settingsFile()).absolutePath();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(home.settingsFile(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
    }

    // A new user: neither the settings file nor the folders above it exist
    // yet. Nothing to tell, and typing stores.
    void firstStartTellsNothing() {
        QVERIFY(QDir(home.configPath()).removeRecursively());
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        Form1 form;
        form.Form_Load();
        QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.messages.join("\n")));
        typeInto(form.Text1(0), QStringLiteral("Tessaly"));
        QCOMPARE(storedValue(home.settingsFile(), 0), QStringLiteral("Tessaly"));
        QVERIFY(prompts.messages.isEmpty());
        QVERIFY(prompts.errors.isEmpty());
    }

    // Values longer than a line edit's usual limit, and a line break an
    // earlier version stored, come back whole and are not written back: the
    // file, a comment the store itself would drop included, stays as it is.
    void longValuesComeBackWholeAndStartUpWritesNothing() {
        const QString longValue(40000, QLatin1Char('x'));
        {
            QSettings store(home.settingsFile(), QSettings::IniFormat);
            store.setValue(QStringLiteral("Leafwright/") + FieldKey(7), longValue);
            store.setValue(QStringLiteral("Leafwright/") + FieldKey(2), QStringLiteral("Apt\n7"));
        }
        writeBytes(home.settingsFile(),
                   "; kept by hand\n" + bytesOf(home.settingsFile()) + "; end\n");
        const QByteArray before = bytesOf(home.settingsFile());
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        {
            Form1 form;
            form.Form_Load();
            QCOMPARE(form.Text1(7)->text(), longValue);
            QCOMPARE(form.Text1(2)->text(), QStringLiteral("Apt 7")); // one line, as shown
            QCOMPARE(bytesOf(home.settingsFile()), before);
            form.Text1(7)->setFocus();
            form.Text1(7)->end(false);
            QTest::keyClick(form.Text1(7), Qt::Key_Y);
            QCOMPARE(storedValue(home.settingsFile(), 7), longValue + QLatin1Char('y'));
        }
        Form1 restarted;
        restarted.Form_Load();
        QCOMPARE(restarted.Text1(7)->text().size(), 40001);
        QVERIFY(prompts.messages.isEmpty());
        QVERIFY(prompts.errors.isEmpty());
    }

    // Random bytes with an open quote run into the lines after them as the
    // store reads the file: before anything is written the original is
    // copied beside it, every field line is read on its own, and the user is
    // told once where the copy is.
    void damagedFileIsKeptAndWhatItHoldsRecovered() {
        static const char garbage[] =
            "\xff\xfe\x00\x01[[[un\"closed\n\x00\x02\x03\n\xc3(\xa0\xa1=\n";
        const QByteArray damaged = "[Leafwright]\nText1_0=Tessaly\n" +
                                   QByteArray(garbage, sizeof garbage - 1) +
                                   "Text1_6=417 Birchwoods Rd\nText1_9=\"05412\"\n[";
        writeBytes(home.settingsFile(), damaged);
        QSettings asTheStoreReadsIt(home.settingsFile(), QSettings::IniFormat);
        QVERIFY(!asTheStoreReadsIt.contains(QStringLiteral("Leafwright/") + FieldKey(6)));

        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        {
            Form1 form;
            form.Form_Load();
            QStringList expected(kFieldCount, QString());
            expected[0] = QStringLiteral("Tessaly");
            expected[6] = QStringLiteral("417 Birchwoods Rd");
            expected[9] = QStringLiteral("05412");
            QCOMPARE(fieldTexts(form), expected);
            QCOMPARE(damagedCopies().size(), 1);
            const QString copy =
                QFileInfo(home.settingsFile()).absolutePath() + u'/' + damagedCopies().first();
            QCOMPARE(bytesOf(copy), damaged);
            QCOMPARE(prompts.messages.size(), 1);
            QVERIFY2(prompts.messages.first().contains(home.settingsFile()) &&
                         prompts.messages.first().contains(copy),
                     qPrintable(prompts.messages.first()));
            QVERIFY(prompts.errors.isEmpty());
            // The file now reads as written, with the recovered values.
            QSettings reread(home.settingsFile(), QSettings::IniFormat);
            QCOMPARE(reread.allKeys().size(), 3);
            QCOMPARE(reread.status(), QSettings::NoError);
            typeInto(form.Text1(3), QStringLiteral("802-555-0100"));
            QCOMPARE(storedValue(home.settingsFile(), 3), QStringLiteral("802-555-0100"));
            QCOMPARE(storedValue(home.settingsFile(), 6), QStringLiteral("417 Birchwoods Rd"));
        }
        // A sound file is not copied again, nor reported.
        Form1 restarted;
        restarted.Form_Load();
        QCOMPARE(restarted.Text1(6)->text(), QStringLiteral("417 Birchwoods Rd"));
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(damagedCopies().size(), 1);

        // Damaged again in the same second: a second copy, the first kept.
        const QString first = damagedCopies().first();
        const QByteArray firstBytes =
            bytesOf(QFileInfo(home.settingsFile()).absolutePath() + u'/' + first);
        const QDateTime when = QDateTime::fromString(first.section(u'-', 1), "yyyyMMdd-HHmmss");
        QVERIFY(when.isValid());
        writeBytes(home.settingsFile(), "[Leafwright]\nText1_1=\"Marsh\nbrooke\n");
        QVERIFY(!FieldStore::checkAtStartUp(when).notice.isEmpty());
        QCOMPARE(damagedCopies(), QStringList({first, first + QStringLiteral("-2")}));
        QCOMPARE(bytesOf(QFileInfo(home.settingsFile()).absolutePath() + u'/' + first), firstBytes);
    }

    // No copy can be made beside a damaged file, here for want of disk
    // space: the file is left untouched for the whole session, and the
    // fields show what could be read from it.
    void damagedFileThatCannotBeCopiedIsLeftAlone() {
        const test::SmallDisk disk(QFileInfo(home.settingsFile()).absolutePath(),
                                   QStringLiteral("64k"));
        if (!disk.mounted())
            QSKIP(qPrintable(disk.problem()));
        writeBytes(home.settingsFile(), "[Leafwright]\nText1_0=\"Tessaly\nText1_5=a@b.c\n");
        const QByteArray before = bytesOf(home.settingsFile());
        QVERIFY(disk.fill());
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        Form1 form;
        form.Form_Load();
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY2(prompts.messages.first().contains(QStringLiteral("no copy")),
                 qPrintable(prompts.messages.first()));
        QCOMPARE(form.Text1(5)->text(), QStringLiteral("a@b.c"));
        typeInto(form.Text1(5), QStringLiteral("x@y.z"));
        QCOMPARE(FieldStore::read(5), QStringLiteral("x@y.z"));
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.errors.isEmpty());
        QCOMPARE(bytesOf(home.settingsFile()), before);
        QCOMPARE(damagedCopies(), QStringList());
    }

    void settingsPathIsAFolder() {
        QVERIFY(QDir().mkpath(home.settingsFile()));
        QFile inside(home.settingsFile() + QStringLiteral("/keep.txt"));
        QVERIFY(inside.open(QIODevice::WriteOnly));
        inside.write("x");
        inside.close();
        toldOnceThatNothingIsKept(QString::fromLocal8Bit(strerror(EISDIR)));
        QVERIFY(QFileInfo(home.settingsFile()).isDir());
        QVERIFY(inside.exists());
    }

    void readOnlyFolder() {
        {
            QSettings store(home.settingsFile(), QSettings::IniFormat);
            store.setValue(QStringLiteral("Leafwright/") + FieldKey(0), QStringLiteral("Tessaly"));
        }
        QFile::setPermissions(QFileInfo(home.settingsFile()).absolutePath(),
                              QFile::ReadOwner | QFile::ExeOwner);
        if (::geteuid() == 0)
            QSKIP("folder permissions do not keep root from writing");
        toldOnceThatNothingIsKept(QString::fromLocal8Bit(strerror(EACCES)));
    }

    void unreadableFile() {
        {
            QSettings store(home.settingsFile(), QSettings::IniFormat);
            store.setValue(QStringLiteral("Leafwright/") + FieldKey(0), QStringLiteral("hidden"));
        }
        QVERIFY(QFile::setPermissions(home.settingsFile(), QFile::Permissions()));
        if (::geteuid() == 0)
            QSKIP("file permissions do not keep root from reading or writing");
        toldOnceThatNothingIsKept(QString::fromLocal8Bit(strerror(EACCES)));
    }

    // The store fails only later in the session: the first failed write
    // tells the user, further ones do not; after it worked again, the next
    // failure tells again.
    void storeThatFailsWhileTypingTellsOnce() {
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        Form1 form;
        form.Form_Load();
        typeInto(form.Text1(0), QStringLiteral("Ac"));
        QVERIFY(QFile::remove(home.settingsFile()));
        QVERIFY(QDir().mkpath(home.settingsFile()));
        QTest::keyClicks(form.Text1(0), QStringLiteral("me"));
        form.PushButton4_Click();
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY2(prompts.messages.first().contains(home.settingsFile()),
                 qPrintable(prompts.messages.first()));
        QVERIFY(QDir(home.settingsFile()).removeRecursively());
        typeInto(form.Text1(1), QStringLiteral("Marsh"));
        QCOMPARE(storedValue(home.settingsFile(), 1), QStringLiteral("Marsh"));
        QVERIFY(QFile::remove(home.settingsFile()));
        QVERIFY(QDir().mkpath(home.settingsFile()));
        QTest::keyClicks(form.Text1(1), QStringLiteral("brooke"));
        QCOMPARE(prompts.messages.size(), 2);
        QVERIFY(prompts.errors.isEmpty());
    }
};

QTEST_MAIN(SettingsFileTest)
#include "tst_settings_file.moc"
