// Reading a list of companies, naming their files and reading the command
// line: the cases a hand-made or exported list brings.
#include "brochure/ColourScheme.h"
#include "cli/BatchProgress.h"
#include "cli/BrochureNames.h"
#include "cli/CommandLine.h"
#include "cli/CompanyList.h"
#include "cli/FieldsFile.h"
#include "cli/ListFile.h"
#include "cli/ListLogo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace lw;
using namespace lw::cli;

namespace {
constexpr int kCompany = 0, kCity = 1, kTagLine = 7;

QByteArray little(quint32 value, int bytes) {
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out += char((value >> (8 * i)) & 0xFF);
    return out;
}

// A ZIP archive whose entries claim to unpack to the sizes given; only its
// directory matters to the reader.
QByteArray zipClaiming(const QList<QPair<QByteArray, quint32>>& entries) {
    QByteArray local, directory;
    for (const auto& [name, size] : entries) {
        const quint32 offset = quint32(local.size());
        local += "PK\x03\x04" + little(20, 2) + little(0, 2) + little(8, 2) + little(0, 8) +
                 little(0, 4) + little(size, 4) + little(quint32(name.size()), 2) + little(0, 2) +
                 name;
        directory += "PK\x01\x02" + little(20, 2) + little(20, 2) + little(0, 2) + little(8, 2) +
                     little(0, 8) + little(0, 4) + little(size, 4) +
                     little(quint32(name.size()), 2) + little(0, 6) + little(0, 2) + little(0, 4) +
                     little(offset, 4) + name;
    }
    return local + directory + "PK\x05\x06" + little(0, 4) + little(quint32(entries.size()), 2) +
           little(quint32(entries.size()), 2) + little(quint32(directory.size()), 4) +
           little(quint32(local.size()), 4) + little(0, 2);
}

QByteArray withoutMark(const QString& text, bool littleEndian) {
    QByteArray bytes;
    for (const QChar c : text) {
        const char low = char(c.unicode() & 0xFF), high = char(c.unicode() >> 8);
        bytes += littleEndian ? QByteArray{1, low} + high : QByteArray{1, high} + low;
    }
    return bytes;
}
} // namespace

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
        // Colour columns give a row its own colours; one that is no colour
        // rejects its row.
        const CompanyList coloured =
            readCompanyList("company_name,Colour,accent\nAcme, #8b1e3f ,\nBeta,banana,#12345\n");
        QCOMPARE(coloured.rows.at(0).colour, QStringLiteral("#8b1e3f"));
        QVERIFY(coloured.rows.at(0).rejection.isEmpty());
        QCOMPARE(coloured.rows.at(1).rejection,
                 QStringLiteral("Colour: 'banana' is not a colour; write it as #RRGGBB, for "
                                "example #8B1E3F"));
        QVERIFY(coloured.warning.isEmpty());
        QVERIFY(coloured.hasColumn[kCompany] && !coloured.hasColumn[kCity]);
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
        for (const bool littleEndian : {true, false})
            QTest::newRow(littleEndian ? "UTF-16 LE without a mark" : "UTF-16 BE without a mark")
                << withoutMark(QStringLiteral("company_name,zip\r\nMüller GmbH,05412\r\n"),
                               littleEndian)
                << QStringLiteral("Müller GmbH") << QStringLiteral("05412") << QString();
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

    // A hand-written fields file: values as typed, keys as a person knows
    // them, a bad line by its number.
    void fieldsFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value"); // or the start of the error
        QTest::newRow("settings keys in their section")
            << QByteArray("; made by hand\r\n[Other]\nText1_0=no\n[Leafwright]\r\nText1_0 = "
                          "Birch, Pine & Co\r\nText1_1=\"  Bern \"\n\ntext1_7=C:\\tools\n")
            << kCompany << QStringLiteral("Birch, Pine & Co");
        QTest::newRow("quoted blanks kept") << QByteArray("[Leafwright]\nText1_1=\"  Bern \"\n")
                                            << kCity << QStringLiteral("  Bern ");
        QTest::newRow("backslashes literally") << QByteArray("[Leafwright]\ntext1_7=C:\\tools\n")
                                               << kTagLine << QStringLiteral("C:\\tools");
        QTest::newRow("column name, no section")
            << QByteArray("company_name=Quince Hollow Farm\n") << kCompany
            << QStringLiteral("Quince Hollow Farm");
        QTest::newRow("the window's caption")
            << QByteArray("Tag Line: = Fresh, daily\nZip Code=05412\n") << kTagLine
            << QStringLiteral("Fresh, daily");
        QTest::newRow("common name in the section")
            << QByteArray("[Leafwright]\nPostal Code=05412\ncity=Bern\n") << kCity
            << QStringLiteral("Bern");
        QTest::newRow("not key=value") << QByteArray("[Leafwright]\nText1_0=A\nAcme Ltd\n") << -1
                                       << QStringLiteral("line 3 is not key=value: \"Acme Ltd\"");
        QTest::newRow("unknown key") << QByteArray("compnay=Acme\n") << -1
                                     << QStringLiteral("line 1: \"compnay\" names no field; the "
                                                       "keys are company_name, tag_line");
        QTest::newRow("no field at all")
            << QByteArray("[Other]\nText1_0=A\n") << -1 << QStringLiteral("it names no field");
    }
    void fieldsFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, field);
        QFETCH(QString, value);
        const FieldsFile file = readFieldsFile(bytes);
        if (field < 0) {
            QVERIFY2(file.error.startsWith(value), qPrintable(file.error));
            return;
        }
        QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
        QCOMPARE(file.fields[std::size_t(field)], value);
    }

    // Rows a spreadsheet or a careless export spoils: each rejected with
    // its column, the others kept.
    void rowsRejected_data() {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("rejection");
        for (const char* error : {"#DIV/0!", "#NAME?", "#N/A", "#VALUE!", "#REF!", "Err:540"})
            QTest::newRow(error) << QByteArray("Acme,") + error
                                 << QStringLiteral("city (column 2) shows the spreadsheet error "
                                                   "%1 instead of a value; correct it in the "
                                                   "spreadsheet")
                                        .arg(QLatin1String(error));
        QTest::newRow("empty company name")
            << QByteArray(" ,Bern")
            << QStringLiteral("company_name is empty; every brochure "
                              "needs the company's name");
        QTest::newRow("a value that merely starts like an error")
            << QByteArray("#1 Pizza,#N/A Street") << QString();
    }
    void rowsRejected() {
        QFETCH(QByteArray, row);
        QFETCH(QString, rejection);
        const CompanyList list = readCompanyList("company_name,city\n" + row + "\nFine,Bern\n");
        QCOMPARE(list.rows.size(), std::size_t(2));
        QCOMPARE(list.rows[0].rejection, rejection);
        QVERIFY(list.rows[1].rejection.isEmpty());
    }

    // A workbook's cell too long to be read whole rejects its row; many
    // unknown columns make one short warning.
    void workbookTables() {
        const CompanyList list =
            readCompanyTable({{1, {QStringLiteral("Company"), QStringLiteral("City")}, {}},
                              {2, {QStringLiteral("Acme"), QString()}, {1}},
                              {3, {QStringLiteral("Beta"), QStringLiteral("Bern")}, {}}});
        QCOMPARE(list.rows.at(0).rejection,
                 QStringLiteral("city is over 1,000 characters long; at most 100 fit"));
        QVERIFY(list.rows.at(1).rejection.isEmpty());

        QStringList header{QStringLiteral("company_name")};
        for (int i = 0; i < 5000; ++i)
            header << QStringLiteral("extra%1").arg(i);
        const QString warning = readCompanyTable({{1, header, {}}}).warning;
        QVERIFY2(warning.size() < 300 && !warning.contains(u'\n'), qPrintable(warning));
        QVERIFY2(warning.contains(QStringLiteral("\"extra4\" and 4,995 more columns")),
                 qPrintable(warning));
    }

    // A row's logo stays inside the list's folder.
    void logoPathsStayInTheListFolder_data() {
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("inside");
        QTest::newRow("beside the list") << QStringLiteral("acme.png") << true;
        QTest::newRow("in a folder of it") << QStringLiteral("logos/../logos/acme.png") << true;
        QTest::newRow("Windows separators") << QStringLiteral("logos\\acme.png") << true;
        QTest::newRow("absolute") << QStringLiteral("/etc/acme.png") << false;
        QTest::newRow("up and out") << QStringLiteral("../acme.png") << false;
        QTest::newRow("up and out, Windows") << QStringLiteral("logos\\..\\..\\acme.png") << false;
        QTest::newRow("link leading out") << QStringLiteral("link/outside.png") << false;
    }
    void logoPathsStayInTheListFolder() {
        QFETCH(QString, written);
        QFETCH(bool, inside);
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("list"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/logos")));
        QFile(root.filePath(QStringLiteral("outside.png"))).open(QIODevice::WriteOnly);
        QVERIFY(QFile::link(root.path(), folder + QStringLiteral("/link")));
        const ListLogo logo = listLogoPath(QDir(folder), written);
        QCOMPARE(logo.problem.isEmpty(), inside);
        QCOMPARE(logo.path.startsWith(folder + QLatin1Char('/')), inside);
        if (!inside)
            QVERIFY(logo.problem.contains(QStringLiteral("is outside the list's folder")));
    }

    // Files judged by what they hold before anything reads them whole.
    void listFilesJudgedByContents_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem"); // its start; empty for none
        const QByteArray xlsx = zipClaiming({{"xl/workbook.xml", 2000}, {"xl/sheet1.xml", 90000}});
        QTest::newRow("workbook") << "list.xlsx" << xlsx << QString();
        QTest::newRow("workbook that unpacks to 1 GiB")
            << "huge.xlsx" << zipClaiming({{"xl/workbook.xml", 2000}, {"xl/sheet1.xml", 1u << 30}})
            << QStringLiteral("it unpacks to 1,025 MB, more than a list may (32 MB)");
        QTest::newRow("text named as a workbook")
            << "list.xlsx" << QByteArray("company_name\nAcme\n")
            << QStringLiteral("it is a text list (CSV), not a workbook as its name says; rename "
                              "it to end in .csv");
        QTest::newRow("workbook named as text")
            << "list.csv" << xlsx
            << QStringLiteral("it is an Excel workbook (.xlsx), not a text list as its name says; "
                              "rename it to end in .xlsx");
        QTest::newRow("document named as a workbook")
            << "list.ods" << zipClaiming({{"word/document.xml", 100}})
            << QStringLiteral("it is a Word document (.docx), not a workbook");
        QTest::newRow("folder") << "folder.xlsx" << QByteArray()
                                << QStringLiteral("it is a folder, not a list");
    }
    void listFilesJudgedByContents() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        if (bytes.isEmpty()) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        const QString found = name.endsWith(QLatin1String(".csv")) ? readTextListFile(path).error
                                                                   : workbookFileProblem(path);
        QVERIFY2(problem.isEmpty() ? found.isEmpty() : found.startsWith(problem),
                 qPrintable(found));
        QVERIFY(readTextListFile(QStringLiteral("/dev/zero"))
                    .error.startsWith(QStringLiteral("it is not a regular file")));
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
        // A slip of the fingers is told on one line, with the option meant.
        const Invocation mistyped = read({"--batch", "l.csv", "--out-dir", "d"});
        QCOMPARE(mistyped.problem,
                 QStringLiteral("unknown option --out-dir; did you mean --output-dir? (see "
                                "--help)"));
        QVERIFY(mistyped.brief);
        QCOMPARE(read({"--bogus"}).problem, QStringLiteral("unknown option --bogus (see --help)"));
        // --logo: for the rows without their own; given empty, none at all.
        const Invocation logo = read({"--batch", "l.csv", "--check", "--logo", ""});
        QCOMPARE(logo.mode, Mode::Batch);
        QVERIFY(logo.logoGiven && logo.logo.isEmpty());
        QVERIFY(!read({"--output", "a.pdf"}).logoGiven);

        // The company's look: the scheme, then each colour given over it.
        const Invocation look = read({"--output", "a.pdf", "--scheme", "navy & CORAL", "--color",
                                      "#8b1e3f", "--profile", " Acme, Inc. "});
        QCOMPARE(look.mode, Mode::One);
        QCOMPARE(look.profile, QStringLiteral("Acme, Inc."));
        const ColourChoice chosen = chosenColours(look, defaultColours());
        QCOMPARE(chosen.main.rgb(), QRgb(0xff8b1e3f));
        QCOMPARE(chosen.accent, schemeNamed(QStringLiteral("Navy & Coral"))->accent);
        QCOMPARE(read({"--schemes"}).mode, Mode::Schemes);
        QCOMPARE(read({"--profiles"}).mode, Mode::Profiles);
        const Invocation save = read({"--save-profile", "Café, Bar", "--fields", "f.ini", "--logo",
                                      "", "--accent", "#123456"});
        QCOMPARE(save.mode, Mode::SaveProfile);
        QVERIFY(save.logoGiven && save.logo.isEmpty() && save.accent && !save.colour);
        // A bad value is refused, naming it.
        const std::vector<std::pair<QStringList, const char*>> refused{
            {{"--output", "a.pdf", "--colour", "banana"}, "'banana' is not a colour"},
            {{"--output", "a.pdf", "--accent", "#12345"}, "'#12345' is not a colour"},
            {{"--print", "--scheme", "Sunset"}, "no scheme named 'Sunset'"},
            {{"--batch", "l.csv", "--output-dir", "d", "--colour", "#GG0000"}, "#GG0000"},
            {{"--save-profile", "X", "--color", "red"}, "'red' is not a colour"},
            {{"--output", "a.pdf", "--colour", "#111111", "--color", "#222222"}, "more than once"},
            {{"--output", "a.pdf", "--profile", " "}, "--profile: the name is empty"},
            {{"--save-profile", " "}, "--save-profile: the name is empty"},
            {{"--colour", "#8B1E3F"}, "--colour needs --output"},
            {{"--schemes", "--output", "a.pdf"}, "--schemes and --profiles take no"},
            {{"--profiles", "--scheme", "Teal & Amber"}, "--schemes and --profiles"},
            {{"--save-profile", "X", "--output", "a.pdf"}, "--save-profile takes only"},
            {{"--save-profile", "X", "--profile", "Y"}, "--save-profile takes only"}};
        for (const auto& [arguments, named] : refused) {
            const Invocation invocation =
                readCommandLine(QStringList{QStringLiteral("leafwright")} + arguments);
            QCOMPARE(invocation.mode, Mode::Bad);
            QVERIFY2(invocation.problem.contains(QString::fromUtf8(named)),
                     qPrintable(invocation.problem));
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
