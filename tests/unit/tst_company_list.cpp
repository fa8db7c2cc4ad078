// Reading a list of companies, naming their files and reading the command
// line: the cases a hand-made or exported list brings.
#include "cli/BatchProgress.h"
#include "cli/BrochureNames.h"
#include "cli/CommandLine.h"
#include "cli/CompanyList.h"
#include "cli/FieldsFile.h"

#include <QTest>

using namespace lw;
using namespace lw::cli;

namespace {
constexpr int kCompany = 0, kCity = 1, kTagLine = 7;
}

class CompanyListTest : public QObject {
    Q_OBJECT

private slots:
    void rowsTheirLinesAndRejections() {
        const CompanyList list =
            readCompanyList("\xEF\xBB\xBF"
                            " CITY ,company_name,tag_line\r\n" // 1: any case, blanks around
                            "Marshbrooke,\"Birch, \"\"Pine\"\"\", Est. 1962 \r\n" // 2
                            "\r\n"                      // 3: blank, passed over
                            ",,\r\n"                    // 4: empty, passed over
                            "\"Two\nlines\",Acme,x\r\n" // 5-6: rejected
                            "Bern,Acme,x,,\r\n"         // 7: empty extras are fine
                            "Bern,Acme,x,surplus\n"     // 8: rejected
                            "Bern,Acme," +
                            QByteArray(301, 't') + // 9: rejected
                            "\n"
                            "Bern,\xF0\x9F\x8C\xB2 Tree\tHouse\n" // 10: tab, short row
                            "Bern,\xC3(,x\n");                    // 11: not UTF-8
        QVERIFY2(list.error.isEmpty(), qPrintable(list.error));
        QCOMPARE(list.rows.size(), std::size_t(7));

        const CompanyRow& birch = list.rows[0];
        QCOMPARE(birch.line, 2);
        QCOMPARE(birch.number, 1);
        QCOMPARE(birch.fields[kCompany], QStringLiteral("Birch, \"Pine\""));
        QCOMPARE(birch.fields[kCity], QStringLiteral("Marshbrooke"));
        QCOMPARE(birch.fields[kTagLine], QStringLiteral(" Est. 1962 ")); // blanks are data
        QVERIFY(birch.rejection.isEmpty());

        QCOMPARE(list.rows[1].line, 5);
        QCOMPARE(list.rows[1].rejection,
                 QStringLiteral("city holds a line break; each field of the brochure is one line"));
        QCOMPARE(list.rows[2].line, 7);
        QVERIFY(list.rows[2].rejection.isEmpty());
        QCOMPARE(list.rows[3].rejection,
                 QStringLiteral("it has 4 values, but the header names 3 columns"));
        QCOMPARE(list.rows[4].rejection,
                 QStringLiteral("tag_line is 301 characters long; at most 300 fit"));
        QCOMPARE(list.rows[5].line, 10);
        QCOMPARE(list.rows[5].number, 6);
        QCOMPARE(list.rows[5].fields[kCompany], QStringLiteral("🌲 Tree\tHouse"));
        QVERIFY(list.rows[5].fields[kTagLine].isEmpty());
        QCOMPARE(list.rows[6].rejection, QStringLiteral("company_name is not UTF-8 text"));
    }

    void listsThatCannotBeUsed() {
        QVERIFY(readCompanyList("").error.contains(QStringLiteral("the list is empty")));
        QCOMPARE(
            readCompanyList("name,colour\nAcme,red\n").error,
            QStringLiteral("line 1: no column holds the company name; name one "
                           "\"company_name\" (the columns are company_name, tag_line, "
                           "address_line_1, address_line_2, city, state, zip_code, phone, fax, "
                           "email)"));
        QCOMPARE(readCompanyList("company_name,city,City\n").error,
                 QStringLiteral("line 1: column \"City\" is named twice"));
        QVERIFY(readCompanyList("city\nBern\n\"Acme\nBern\n")
                    .error.startsWith(QStringLiteral("line 3: not valid CSV")));
        // A logo column names each row's picture; it is no field.
        const CompanyList logos = readCompanyList("company_name,Logo\nAcme, pics/a.png \n");
        QCOMPARE(logos.rows.at(0).logo, QStringLiteral("pics/a.png"));
        QVERIFY(logos.warning.isEmpty());
        // A stray quote inside a value is taken as written.
        QCOMPARE(readCompanyList("company_name,city\nA,Be\"rn\n").rows.at(0).fields[kCity],
                 QStringLiteral("Be\"rn"));
    }

    // Lists as spreadsheets and hand editors save them: the encoding, the
    // separator and the column names a person gives them.
    void encodingsSeparatorsAndHeaders_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("zip");
        QTest::addColumn<QString>("warning");
        QTest::newRow("Windows-1252, semicolons, captions")
            << QByteArray("Company Name;Zip Code;City\r\n\"Caf\xE9 \x93Nord\x94; Ltd\";05412;"
                          "K\xF6ln\r\n")
            << QStringLiteral("Café “Nord”; Ltd") << QStringLiteral("05412") << QString();
        QByteArray utf16("\xFF\xFE");
        for (const QChar c : QStringLiteral("ZIP\tCOMPANY-NAME\tNotes\t\n05412\tÉlan\tx\t\n"))
            utf16 += char(c.unicode() & 0xFF), utf16 += char(c.unicode() >> 8);
        QTest::newRow("UTF-16, tabs, unknown and unnamed columns")
            << utf16 << QStringLiteral("Élan") << QStringLiteral("05412")
            << QStringLiteral("line 1: skipped \"Notes\", column 4 (no name), which the brochure "
                              "has no field for; the columns are company_name, tag_line, "
                              "address_line_1, address_line_2, city, state, zip_code, phone, fax, "
                              "email");
        QTest::newRow("UTF-8 with a mark, commas, common names")
            << QByteArray("\xEF\xBB\xBF"
                          "company_name,Postal Code,E-mail\n\xC3\x89lan,05412,a@b\n")
            << QStringLiteral("Élan") << QStringLiteral("05412") << QString();
    }
    void encodingsSeparatorsAndHeaders() {
        QFETCH(QByteArray, bytes);
        const CompanyList list = readCompanyList(bytes);
        QVERIFY2(list.error.isEmpty(), qPrintable(list.error));
        QCOMPARE(list.rows.size(), std::size_t(1));
        QVERIFY2(list.rows[0].rejection.isEmpty(), qPrintable(list.rows[0].rejection));
        QTEST(list.rows[0].fields[kCompany], "company");
        QTEST(list.rows[0].fields[9], "zip");
        QTEST(list.warning, "warning");
    }

    // A hand-written fields file: values as typed, a bad line by its number.
    void fieldsFiles() {
        const FieldsFile file = readFieldsFile("; made by hand\r\n[Other]\nText1_0=no\n"
                                               "[Leafwright]\r\nText1_0 = Birch, Pine & Co\r\n"
                                               "Text1_1=\"  Bern \"\n\ntext1_7=C:\\tools\n");
        QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
        QCOMPARE(file.fields[kCompany], QStringLiteral("Birch, Pine & Co"));
        QCOMPARE(file.fields[kCity], QStringLiteral("  Bern "));
        QCOMPARE(file.fields[kTagLine], QStringLiteral("C:\\tools"));
        QCOMPARE(readFieldsFile("[Leafwright]\nText1_0=A\nAcme Ltd\n").error,
                 QStringLiteral("line 3 is not key=value: \"Acme Ltd\""));
        QVERIFY(readFieldsFile("Text1_0=A\n").error.startsWith(QStringLiteral("it needs")));
    }

    void fileNames() {
        QCOMPARE(brochureFileStem(QStringLiteral("  A/B: C*D?\"E\"<F>|G\\H  "), 1),
                 QStringLiteral("A_B_ C_D__E__F__G_H"));
        QCOMPARE(brochureFileStem(QStringLiteral("..hidden.. "), 1), QStringLiteral("hidden"));
        QCOMPARE(brochureFileStem(QStringLiteral(" \t "), 7), QStringLiteral("row-7"));
        // Device names Windows keeps, whatever the case and extension.
        QCOMPARE(brochureFileStem(QStringLiteral("con"), 1), QStringLiteral("con_"));
        QCOMPARE(brochureFileStem(QStringLiteral("Lpt9.Inc"), 1), QStringLiteral("Lpt9_.Inc"));
        QCOMPARE(brochureFileStem(QStringLiteral("COM10"), 1), QStringLiteral("COM10"));
        QCOMPARE(brochureFileStem(QStringLiteral("Console"), 1), QStringLiteral("Console"));
        QCOMPARE(brochureFileStem(QString(150, QLatin1Char('x')), 1).size(), 100);
        // Cut at whole characters and within what a file name holds in bytes.
        QCOMPARE(brochureFileStem(QString(70, QChar(0x4E00)), 1), QString(66, QChar(0x4E00)));
        QCOMPARE(brochureFileStem(QString(99, QLatin1Char('x')) + QStringLiteral("🌲🌲"), 1),
                 QString(99, QLatin1Char('x')) + QStringLiteral("🌲"));

        BrochureNames names;
        QCOMPARE(names.claim(QStringLiteral("Acme")), QStringLiteral("Acme"));
        QCOMPARE(names.claim(QStringLiteral("ACME")), QStringLiteral("ACME (2)"));
        QCOMPARE(names.claim(QStringLiteral("Acme (2)")), QStringLiteral("Acme (2) (2)"));
        QCOMPARE(names.claim(QStringLiteral("Acme")), QStringLiteral("Acme (3)"));
    }

    void invocations() {
        const auto read = [](std::initializer_list<const char*> arguments) {
            QStringList list{QStringLiteral("leafwright")};
            for (const char* argument : arguments)
                list << QString::fromUtf8(argument);
            return readCommandLine(list);
        };
        using Mode = Invocation::Mode;
        QCOMPARE(read({}).mode, Mode::Windows);
        QCOMPARE(read({"-h"}).mode, Mode::Help);
        QCOMPARE(read({"--version"}).mode, Mode::Version);

        const Invocation one = read({"--output", "a.PDF", "--fields", "f.ini", "--overwrite"});
        QCOMPARE(one.mode, Mode::One);
        QVERIFY(one.pdf && !one.doc && one.overwrite);
        QCOMPARE(one.fieldsFile, QStringLiteral("f.ini"));

        const Invocation both = read({"--batch", "l.csv", "--output-dir", "d", "--format", "both"});
        QCOMPARE(both.mode, Mode::Batch);
        QVERIFY(both.doc && both.pdf && !both.overwrite);
        QVERIFY(read({"--batch", "l.csv", "--output-dir", "d"}).doc);
        QCOMPARE(read({"--batch", "l.csv", "--output-dir", "d", "--jobs", "3"}).jobs, 3);
        const Invocation shop = read({"--output", "a.pdf", "--print-shop", "--marks"});
        QVERIFY(shop.mode == Mode::One && shop.pdf && shop.printShop && shop.marks);
        QVERIFY(!read({"--output", "a.pdf", "--print-shop"}).marks);

        for (const auto& bad : std::initializer_list<std::initializer_list<const char*>>{
                 {"--bogus"},
                 {"stray"},
                 {"--output"},
                 {"--output", "a.txt"},
                 {"--output", "a.doc", "--output", "b.doc"},
                 {"--output", "a.doc", "--batch", "l.csv"},
                 {"--output", "a.doc", "--format", "pdf"},
                 {"--batch", "l.csv"},
                 {"--batch", "l.csv", "--output-dir", "d", "--format", "odt"},
                 {"--batch", "l.csv", "--output-dir", "d", "--fields", "f.ini"},
                 {"--batch", "l.csv", "--output-dir", "d", "--jobs", "0"},
                 {"--batch", "l.csv", "--output-dir", "d", "--jobs", "many"},
                 {"--output", "a.doc", "--jobs", "2"},
                 {"--output", "a.doc", "--print-shop"},
                 {"--output", "a.pdf", "--marks"},
                 {"--print-shop"},
                 {"--batch", "l.csv", "--output-dir", "d", "--print-shop"},
                 {"--print", "--print-shop"},
                 {"--overwrite"}}) {
            const Invocation invocation = read(bad);
            QCOMPARE(invocation.mode, Mode::Bad);
            QVERIFY(!invocation.problem.isEmpty() && !invocation.problem.contains(u'\n'));
        }
    }

    void progressAndSummary() {
        QCOMPARE(progressLine(0, 200, 0), QStringLiteral("row 0 of 200"));
        QCOMPARE(progressLine(20, 200, 4),
                 QStringLiteral("row 20 of 200, 5.0 rows/s, about 36 s left"));
        QCOMPARE(progressLine(1, 200, 2),
                 QStringLiteral("row 1 of 200, 0.5 rows/s, about 6 min 38 s left"));
        QCOMPARE(summaryLine({4, 2, 0, 0}, false), QStringLiteral("4 written, 2 rejected"));
        QCOMPARE(
            summaryLine({4, 0, 1, 3}, true),
            QStringLiteral("4 written, 0 rejected, 1 failed, 3 kept as they were (interrupted)"));
    }
};

QTEST_APPLESS_MAIN(CompanyListTest)
#include "tst_company_list.moc"
