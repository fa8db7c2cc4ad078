#include "brochure/BrochureProduct.h"
#include "brochure/FieldStore.h"
#include "brochure/SettingsFileReading.h"
#include "tests/support/TestHome.h"

#include <QFile>
#include <QSet>
#include <QSettings>
#include <QTest>

#include <sys/stat.h>

using namespace lw;

class FieldStoreTest : public QObject {
    Q_OBJECT
    test::TestHome home;
private slots:
    void init() { home.reset(); }

    void tableTiesEachFieldToItsTokenAndKey() {
        QSet<QString> tokens;
        for (int i = 0; i < kFieldCount; ++i) {
            QCOMPARE(FieldKey(i), QStringLiteral("Text1_%1").arg(i));
            tokens.insert(QString::fromLatin1(kPlaceholderTable.at(std::size_t(i)).token));
        }
        QCOMPARE(tokens.size(), kFieldCount);
        QCOMPARE(QString::fromLatin1(kPlaceholderTable[8].token), QStringLiteral("[ST]"));
        QCOMPARE(QString::fromLatin1(kPlaceholderTable[9].token), QStringLiteral("[ZIPCode]"));
        // Down the form: name, tag line, address, city, state, ZIP, phone,
        // fax, e-mail.
        QCOMPARE(kScreenOrder, (std::array<int, kFieldCount>{0, 7, 6, 2, 1, 8, 9, 3, 4, 5}));
    }

    void valuesReachTheSettingsFileAtOnce() {
        QCOMPARE(FieldStore::read(3), QString());
        FieldStore::write(3, QStringLiteral("802-555-0147"));
        FieldStore::write(0, QStringLiteral("Ünïcødé & Co = [City]; \"quoted\"\nsecond"));
        QCOMPARE(FieldStore::location(), home.settingsFile());
        QFile file(home.settingsFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray onDisk = file.readAll();
        QVERIFY(onDisk.contains("[Leafwright]"));
        QVERIFY(onDisk.contains("Text1_3=802-555-0147"));
        QCOMPARE(FieldStore::read(0), QStringLiteral("Ünïcødé & Co = [City]; \"quoted\"\nsecond"));
        FieldStore::write(3, QString());
        QCOMPARE(FieldStore::read(3), QString());
        QVERIFY(
            QSettings(home.settingsFile(), QSettings::IniFormat).contains("Leafwright/Text1_3"));
    }

    void corruptedFileGivesEmptyFieldsAndWritingGoesOn() {
        QDir().mkpath(home.configPath() + QStringLiteral("/Tessaly"));
        QFile file(home.settingsFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\x00\xff\xfe[[[Leafwright\n=\n\x01\x02garbage", 30));
        file.close();
        for (int i = 0; i < kFieldCount; ++i)
            QVERIFY(FieldStore::read(i).isEmpty());
        FieldStore::write(5, QStringLiteral("a@b.c"));
        QCOMPARE(FieldStore::read(5), QStringLiteral("a@b.c"));
    }

    // Damage is what the store would not read as written; whatever the
    // store writes itself never counts, whatever the values hold.
    void damageIsWhatTheStoreWouldNotReadAsWritten() {
        const QStringList awkward{QStringLiteral("a\"b\\c;d=e,f \t\n\r x"),
                                  QStringLiteral(" \"quoted\" "),
                                  QStringLiteral("ends in \\"),
                                  QStringLiteral("; [x] = \"\"\""),
                                  QStringLiteral("Ünïcødé 北京"),
                                  QString()};
        for (int i = 0; i < awkward.size(); ++i)
            FieldStore::write(i, awkward.at(i));
        QFile file(home.settingsFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!readSettingsFile(file.readAll(), false).damaged);
        QVERIFY(
            !readSettingsFile("\xef\xbb\xbf; by hand\n\n[Leafwright]\nText1_0=a ; note\n", false)
                 .damaged);

        for (const char* damaged :
             {"[Leafwright]\nText1_0=\"open\nText1_1=b\n", "[Leafwright]\nText1_0=a\\\nText1_1=b\n",
              "[Leafwright]\nno equals sign\n", "[Leafwright\nText1_0=a\n",
              "[Leafwright]\nText1_0=Caf\xe9\n"})
            QVERIFY2(readSettingsFile(damaged, false).damaged, damaged);
        QVERIFY(readSettingsFile("[Leafwright]\nText1_0=a\n", true).damaged);

        // Every field line of the section is read on its own, with the
        // store's own unescaping; the last line of a field wins.
        const SettingsFileReading reading = readSettingsFile(
            "x=\"\n[Leafwright]\nText1_0=\"a;b\" ; note\nText1_1=one\nText1_1=c\\td\n"
            "[Other]\nText1_2=elsewhere\n",
            false);
        QVERIFY(reading.damaged);
        QCOMPARE(reading.fields,
                 (std::map<int, QString>{{0, QStringLiteral("a;b")}, {1, QStringLiteral("c\td")}}));
    }

    void unreadableFileStillLetsThemWrite() {
        FieldStore::write(1, QStringLiteral("Marshbrooke"));
        QCOMPARE(::chmod(QFile::encodeName(home.settingsFile()).constData(), 0), 0);
        if (QFile(home.settingsFile()).open(QIODevice::ReadOnly))
            QSKIP("running as a user who can read any file");
        QCOMPARE(FieldStore::read(1), QString());
        FieldStore::write(2, QStringLiteral("Apt 7"));
        QCOMPARE(FieldStore::read(2), QStringLiteral("Apt 7"));
    }
};

QTEST_GUILESS_MAIN(FieldStoreTest)
#include "tst_field_store.moc"
