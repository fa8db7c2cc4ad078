// The program on the command line, as a script would run it: no display, no
// window. A list of awkward companies, one brochure from a settings file,
// bad invocations, and a list interrupted half-way. Every written file is
// read back with independent readers.
#include "brochure/BrandColours.h"
#include "tests/support/OfficeProcesses.h"
#include "tests/support/PrintedPages.h"
#include "tests/support/ProgramRuns.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

// Text of a file through an independent reader (catdoc, pdftotext, pdfinfo).
QString readWith(const QString& tool, const QStringList& arguments) {
    QProcess reader;
    reader.start(tool, arguments);
    reader.waitForFinished(30000);
    return QString::fromUtf8(reader.readAllStandardOutput());
}
QString docText(const QString& path) {
    return readWith(QStringLiteral("catdoc"),
                    {QStringLiteral("-d"), QStringLiteral("utf-8"), path});
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class CommandLineTest : public QObject, lw::test::ProgramRuns {
    Q_OBJECT

private slots:
    void cleanup() { stopLeftovers(); }

    void listOfCompanies() {
        const QString longTag(301, QLatin1Char('t'));
        writeFile(path(QStringLiteral("list.csv")),
                  "\xEF\xBB\xBF"
                  "Company_Name,tag_line,city,email\r\n" // 1
                  "\"Birch & Pine, Inc.\",\"Tools, \"\"sharpened\"\"\",Marshbrooke,"
                  "a@b.example\r\n"                                    // 2
                  "Kept,old,Town,\r\n"                                 // 3
                  "\"Two\r\nLines\",x,y,z\r\n"                         // 4-5
                  "\xC3\x89lan Caf\xC3\xA9,accents,Z\xC3\xBCrich,\r\n" // 6
                  "\xC3\xA9lan caf\xC3\xA9,again,Bern,\r\n"            // 7
                  "\r\n"                                               // 8
                  ",no name,Nowhere,\r\n"                              // 9
                  "Long," +
                      longTag.toUtf8() + ",x,\r\n"); // 10
        const QString out = path(QStringLiteral("out"));
        QDir().mkpath(out);
        writeFile(out + QStringLiteral("/Kept.doc"), "not to be touched");

        QString errors;
        QCOMPARE(run({QStringLiteral("--batch"), QStringLiteral("list.csv"),
                      QStringLiteral("--output-dir"), QStringLiteral("out")},
                     &errors),
                 1);
        QVERIFY2(errors.contains(QStringLiteral("list.csv:4: rejected: company_name holds a "
                                                "line break")),
                 qPrintable(errors));
        QVERIFY(errors.contains(QStringLiteral("list.csv:10: rejected: tag_line is 301 "
                                               "characters long")));
        QVERIFY(errors.contains(QStringLiteral("list.csv:3: kept Kept.doc")));
        QVERIFY(errors.contains(QStringLiteral("list.csv:9: rejected: company_name is empty")));
        QVERIFY(errors.endsWith(QStringLiteral("3 written, 3 rejected, 1 kept as they were\n")));

        QCOMPARE(
            entries(out),
            QStringList({QStringLiteral("Birch & Pine, Inc.doc"), QStringLiteral("Kept.doc"),
                         QStringLiteral("Élan Café.doc"), QStringLiteral("élan café (2).doc")}));
        QCOMPARE(readFile(out + QStringLiteral("/Kept.doc")), QByteArray("not to be touched"));
        const QString birch = docText(out + QStringLiteral("/Birch & Pine, Inc.doc"));
        for (const char* value :
             {"Birch & Pine, Inc.", "Tools, \"sharpened\"", "Marshbrooke", "a@b.example"})
            QVERIFY2(birch.contains(QString::fromUtf8(value)), value);
        QVERIFY(!birch.contains(QLatin1Char('['))); // no placeholder left
        QVERIFY(docText(out + QStringLiteral("/Élan Café.doc")).contains(QStringLiteral("Zürich")));
        verifyNothingLeft();

        // A list without company names stops before anything is written.
        writeFile(path(QStringLiteral("colour.csv")), "name,colour\nAcme,red\n");
        QCOMPARE(run({QStringLiteral("--batch"), QStringLiteral("colour.csv"),
                      QStringLiteral("--output-dir"), QStringLiteral("out2")},
                     &errors),
                 1);
        QVERIFY2(errors.contains(QStringLiteral("no column holds the company name")),
                 qPrintable(errors));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("out2"))));
    }

    // Shards run apart make, together, the files of one run of the whole
    // list, under the same names: none is made twice, none is lost.
    void shardsMakeWhatTheWholeListMakes() {
        writeFile(path(QStringLiteral("shards.csv")),
                  "Company Name;City\nAcme;Bern\nACME;Chur\ncon;Sion\nAcme;Thun\n");
        QString errors;
        const QStringList whole{QStringLiteral("--batch"), QStringLiteral("shards.csv"),
                                QStringLiteral("--output-dir")};
        QCOMPARE(run(whole + QStringList{QStringLiteral("whole")}, &errors), 0);
        for (int k = 1; k <= 3; ++k) {
            QCOMPARE(run(whole + QStringList{QStringLiteral("parts"), QStringLiteral("--shard"),
                                             QStringLiteral("%1/3").arg(k)},
                         &errors),
                     0);
            QVERIFY2(errors.contains(QStringLiteral("(shard %1/3)").arg(k)), qPrintable(errors));
        }
        const QStringList made = entries(path(QStringLiteral("whole")));
        QCOMPARE(made, QStringList({QStringLiteral("ACME (2).doc"), QStringLiteral("Acme (3).doc"),
                                    QStringLiteral("Acme.doc"), QStringLiteral("con_.doc")}));
        QCOMPARE(entries(path(QStringLiteral("parts"))), made);
        verifyNothingLeft();
    }

    // A list kept in a workbook, saved by another office: the rows a person
    // sees, cells as displayed; a damaged workbook stops before writing.
    void workbookListAsShown() {
        const QString xlsx = path(QStringLiteral("companies.xlsx"));
        QVERIFY(lw::test::convertWithOwnOffice(
            {QStringLiteral(LEAFWRIGHT_SOURCE_DIR "/tests/endtoend/data/companies.fods")},
            QStringLiteral("xlsx"), path(QStringLiteral("other-office")), m_home.path()));
        QString errors;
        QCOMPARE(run({QStringLiteral("--batch"), xlsx, QStringLiteral("--output-dir"),
                      QStringLiteral("sheet"), QStringLiteral("--format"), QStringLiteral("pdf")},
                     &errors),
                 0);
        // The hidden row is not made; the ZIP code keeps its leading zero.
        QCOMPARE(entries(path(QStringLiteral("sheet"))),
                 QStringList({QStringLiteral("Acme.pdf"), QStringLiteral("Beta.pdf")}));
        QVERIFY(lw::test::textOfPdf(path(QStringLiteral("sheet/Acme.pdf")))
                    .contains(QStringLiteral("05412")));

        writeFile(path(QStringLiteral("damaged.xlsx")), "PK\x03\x04" + QByteArray(4000, 'x'));
        QCOMPARE(run({QStringLiteral("--batch"), QStringLiteral("damaged.xlsx"),
                      QStringLiteral("--output-dir"), QStringLiteral("none")},
                     &errors),
                 1);
        QVERIFY2(errors.contains(QStringLiteral("damaged.xlsx: it is damaged")),
                 qPrintable(errors));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("none"))));
        verifyNothingLeft();
    }

    // A logo with a transparent background: on page 1 of the PDF, its
    // transparency kept as a soft mask, printed at 300 ppi or finer. A file
    // that is not a picture is refused before anything is made.
    void logoOnTheCover() {
        QImage logo(1200, 600, QImage::Format_ARGB32);
        logo.fill(Qt::transparent);
        QPainter painter(&logo);
        painter.setBrush(QColor(0xF0, 0xB4, 0x29));
        painter.drawEllipse(QRect(20, 20, 560, 560));
        painter.end();
        QVERIFY(logo.save(path(QStringLiteral("logo.png"))));
        writeFile(path(QStringLiteral("logo.ini")), "[Leafwright]\nText1_0=Birch & Pine\n");
        const QStringList arguments{QStringLiteral("--fields"), QStringLiteral("logo.ini"),
                                    QStringLiteral("--logo")};
        QString errors;
        QCOMPARE(run(arguments + QStringList{QStringLiteral("logo.png"), QStringLiteral("--output"),
                                             QStringLiteral("logo.pdf")},
                     &errors),
                 0);
        const QStringList images =
            lw::test::runTool(QStringLiteral("pdfimages"),
                              {QStringLiteral("-list"), path(QStringLiteral("logo.pdf"))})
                .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                .mid(2);
        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi ...
        bool picture = false, mask = false;
        for (const QString& line : images) {
            const QStringList column = line.simplified().split(QLatin1Char(' '));
            QVERIFY2(column.size() > 13 && column[0] == QLatin1String("1"), qPrintable(line));
            QVERIFY2(column[12].toInt() >= 300 && column[13].toInt() >= 300, qPrintable(line));
            picture = picture || column[2] == QLatin1String("image");
            mask = mask || column[2] == QLatin1String("smask");
        }
        QVERIFY2(picture && mask, qPrintable(images.join(QLatin1Char('\n'))));

        // The logo the window keeps goes on the cover too, as its fields
        // do, unless --logo says otherwise ('' for none).
        const QString kept = path(QStringLiteral("data/Tessaly/Leafwright/logo.png"));
        QDir().mkpath(QFileInfo(kept).path());
        QVERIFY(QFile::copy(path(QStringLiteral("logo.png")), kept));
        const QStringList fields{QStringLiteral("--fields"), QStringLiteral("logo.ini"),
                                 QStringLiteral("--output")};
        QCOMPARE(run(fields + QStringList{QStringLiteral("kept.pdf")}, &errors), 0);
        QCOMPARE(run(fields + QStringList{QStringLiteral("none.pdf"), QStringLiteral("--logo"),
                                          QString()},
                     &errors),
                 0);
        QFile::remove(kept);
        const auto pictures = [this](const char* pdf) {
            return lw::test::runTool(QStringLiteral("pdfimages"),
                                     {QStringLiteral("-list"), path(QString::fromLatin1(pdf))})
                .count(QStringLiteral(" image "));
        };
        QVERIFY(pictures("kept.pdf") > 0);
        QCOMPARE(pictures("none.pdf"), 0);

        writeFile(path(QStringLiteral("notes.png")), "meeting notes, not a picture\n");
        QCOMPARE(
            run(arguments + QStringList{QStringLiteral("notes.png"), QStringLiteral("--output"),
                                        QStringLiteral("notes.pdf")},
                &errors),
            1);
        QVERIFY2(errors.contains(QStringLiteral("\"notes.png\" is not a picture")),
                 qPrintable(errors));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("notes.pdf"))));
        verifyNothingLeft();
    }

    // What a new user or a hostile sender tries, each told in one clear
    // line, quickly, without an office and without a crash.
    void hostileAndMistakenInputs_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("told");
        const QString bigCell = QStringLiteral("bigcell.xlsx");
        QTest::newRow("list with hostile rows")
            << QStringList{QStringLiteral("--batch"), QStringLiteral("hostile/list.csv"),
                           QStringLiteral("--check")}
            << 1
            << QStringList{QStringLiteral("list.csv:3: the logo \"../outside.png\" is outside "
                                          "the list's folder"),
                           QStringLiteral("list.csv:4: city (column 2) shows the spreadsheet "
                                          "error #DIV/0!"),
                           QStringLiteral("list.csv:5: company_name is empty"),
                           QStringLiteral("2 rows can be made, 3 rejected")};
        QTest::newRow("workbook of one 100 MB cell")
            << QStringList{QStringLiteral("--batch"), bigCell, QStringLiteral("--check")} << 1
            << QStringList{QStringLiteral("bigcell.xlsx: it unpacks to 101 MB, more than a list "
                                          "may (32 MB)")};
        QTest::newRow("workbook with a cell of 2,000 characters")
            << QStringList{QStringLiteral("--batch"), QStringLiteral("longcell.xlsx"),
                           QStringLiteral("--check")}
            << 1
            << QStringList{QStringLiteral("longcell.xlsx:2: city is over 1,000 characters long; "
                                          "at most 100 fit"),
                           QStringLiteral("1 rows can be made, 1 rejected")};
        QTest::newRow("workbook named .csv")
            << QStringList{QStringLiteral("--batch"), QStringLiteral("workbook.csv"),
                           QStringLiteral("--check")}
            << 1 << QStringList{QStringLiteral("it is an Excel workbook (.xlsx), not a text list")};
        QTest::newRow("folder named .xlsx")
            << QStringList{QStringLiteral("--batch"), QStringLiteral("hostile"),
                           QStringLiteral("--check")}
            << 1 << QStringList{QStringLiteral("it is a folder, not a list")};
        QTest::newRow("fields from a device")
            << QStringList{QStringLiteral("--output"), QStringLiteral("z.pdf"),
                           QStringLiteral("--fields"), QStringLiteral("/dev/zero")}
            << 1
            << QStringList{QStringLiteral("/dev/zero is a device or a pipe, not a fields file")};
        QTest::newRow("logo that refers to itself")
            << QStringList{QStringLiteral("--batch"), QStringLiteral("hostile/self.csv"),
                           QStringLiteral("--check")}
            << 0 << QStringList{QStringLiteral("1 rows can be made, 0 rejected")};
        QTest::newRow("mistyped option")
            << QStringList{QStringLiteral("--batch"), QStringLiteral("x.csv"),
                           QStringLiteral("--out-dir"), QStringLiteral("x")}
            << 2
            << QStringList{QStringLiteral("leafwright: unknown option --out-dir; did you mean "
                                          "--output-dir? (see --help)\n")};
    }
    void hostileAndMistakenInputs() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QStringList, told);
        const QString hostile = path(QStringLiteral("hostile"));
        if (!QFileInfo::exists(hostile)) {
            QDir().mkpath(hostile);
            writeFile(hostile + QStringLiteral("/self.svg"),
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">"
                      "<rect width=\"5\" height=\"10\"/><image width=\"10\" height=\"10\" "
                      "href=\"self.svg\"/></svg>");
            writeFile(hostile + QStringLiteral("/list.csv"),
                      "company_name,city,logo\nAcme,Bern,self.svg\nOut,Bern,../outside.png\n"
                      "Div,#DIV/0!,\n,Nameless,\nFine,Bern,\n");
            writeFile(hostile + QStringLiteral("/self.csv"), "company_name,logo\nAcme,self.svg\n");
            // A workbook whose one cell unpacks to 100 MB, one with a cell of
            // 2,000 characters, and a workbook under a text list's name.
            QProcess python;
            python.setWorkingDirectory(m_home.path());
            python.start(
                QStringLiteral("python3"),
                {QStringLiteral(LEAFWRIGHT_SOURCE_DIR "/tests/endtoend/data/make_workbooks.py")});
            QVERIFY(python.waitForFinished(60000) && python.exitCode() == 0);
        }
        QElapsedTimer clock;
        clock.start();
        QString errors, output;
        QCOMPARE(run(arguments, &errors, &output), status);
        QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
        for (const QString& text : told)
            QVERIFY2((errors + output).contains(text), qPrintable(errors + output));
        QVERIFY(!errors.contains(QStringLiteral("Usage:")));
        verifyNothingLeft();
    }

    void oneBrochureAndBadInvocations() {
        QString errors, output;
        QCOMPARE(run({QStringLiteral("--help")}, &errors, &output), 0);
        QVERIFY(output.startsWith(QStringLiteral("Usage: leafwright")));
        QCOMPARE(run({QStringLiteral("--format"), QStringLiteral("pdf")}, &errors), 2);
        QVERIFY2(errors.startsWith(QStringLiteral("leafwright: --format needs --output or "
                                                  "--batch.\n")),
                 qPrintable(errors));
        QVERIFY(errors.contains(QStringLiteral("Usage: leafwright")));
        QCOMPARE(run({QStringLiteral("--output"), QStringLiteral("brochure.txt")}, &errors), 2);

        writeFile(path(QStringLiteral("fields.ini")),
                  "[Leafwright]\nText1_0=\xC3\x89lan Caf\xC3\xA9\nText1_1=Z\xC3\xBCrich\n");
        const QStringList arguments{QStringLiteral("--output"), QStringLiteral("brochure.pdf"),
                                    QStringLiteral("--fields"), QStringLiteral("fields.ini")};
        QCOMPARE(run(arguments, &errors), 0);
        const QString pdf = path(QStringLiteral("brochure.pdf"));
        const QString info = readWith(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(info.contains(QStringLiteral("Title:           Élan Café")), qPrintable(info));
        QVERIFY(info.contains(QStringLiteral("Pages:           2")));
        QVERIFY(readWith(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
                    .contains(QStringLiteral("Zürich")));
        // A file that is there stays, unless asked otherwise.
        const QByteArray first = readFile(pdf);
        QCOMPARE(run(arguments, &errors), 1);
        QVERIFY(errors.contains(QStringLiteral("--overwrite")));
        QCOMPARE(readFile(pdf), first);
        verifyNothingLeft();
    }

    // The store as the window reads it: a damaged file recovered and told of
    // once, line breaks and NULs made blanks, an absurd value refused.
    void storedFieldsAsTheWindowReadsThem() {
        const QString store = path(QStringLiteral("config/Tessaly/Leafwright.conf"));
        QDir().mkpath(QFileInfo(store).path());
        writeFile(store, QByteArray("[Leafwright]\nText1_0=Acme\\nCo\nText1_1=Spring\\0field\n"
                                    "Text1_3=\"555\n"));
        QString errors;
        QCOMPARE(run({QStringLiteral("--output"), QStringLiteral("stored.pdf")}, &errors), 0);
        QCOMPARE(errors.count(QStringLiteral("is damaged")), 1);
        QVERIFY2(errors.contains(store) && errors.contains(QStringLiteral("Company Name, City")),
                 qPrintable(errors));
        const QString text =
            readWith(QStringLiteral("pdftotext"), {path(QStringLiteral("stored.pdf")), "-"});
        QVERIFY2(text.contains(QStringLiteral("Acme Co")) &&
                     text.contains(QStringLiteral("Spring field")),
                 qPrintable(text));

        writeFile(store, "[Leafwright]\nText1_1=" + QByteArray(20000, 'x') + '\n');
        QCOMPARE(run({QStringLiteral("--output"), QStringLiteral("long.pdf")}, &errors), 1);
        QVERIFY2(errors.contains(QStringLiteral("\"City\" holds 20,000 characters")),
                 qPrintable(errors));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("long.pdf"))));
        verifyNothingLeft();
    }

    // The company's look: the schemes listed; a profile saved and listed
    // without touching the window's fields; a damaged profile file set aside
    // with the others kept; bad values and unknown names refused with
    // nothing written; a list's row with a bad colour rejected with its line;
    // a brochure from the profile with a maroon cover and no teal left; a
    // pale yellow cover, the window's, whose name and tag line stay legible.
    void coloursSchemesAndProfiles() {
        QString errors, output;
        QCOMPARE(run({QStringLiteral("--schemes")}, &errors, &output), 0);
        const QStringList schemes = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(schemes.size() >= 8);
        QCOMPARE(schemes.first(), QStringLiteral("Teal & Amber\t#14505C\t#E0913A"));

        const QString settings = path(QStringLiteral("config/Tessaly/Leafwright.conf"));
        QDir().mkpath(QFileInfo(settings).path());
        writeFile(settings, "[Leafwright]\nText1_0=Window Co\n");
        writeFile(path(QStringLiteral("birch.ini")),
                  "[Leafwright]\nText1_0=Birch, Pine & Co\nText1_7=Furniture since 1962\n");
        const QString birch = QStringLiteral("Birch, Pine & Co");
        QCOMPARE(run({QStringLiteral("--save-profile"), birch, QStringLiteral("--fields"),
                      QStringLiteral("birch.ini"), QStringLiteral("--colour"),
                      QStringLiteral("#8B1E3F")},
                     &errors),
                 0);
        QCOMPARE(readFile(settings), QByteArray("[Leafwright]\nText1_0=Window Co\n"));
        const QString profiles = path(QStringLiteral("data/Tessaly/Leafwright/profiles"));
        writeFile(profiles + QStringLiteral("/profile-9.json"), "{\"name\": \"Broken");
        QCOMPARE(run({QStringLiteral("--profiles")}, &errors, &output), 0);
        QCOMPARE(output, QStringLiteral("Window Co\n") + birch + u'\n');
        QVERIFY2(errors.contains(QStringLiteral("profile-9.json was damaged")), qPrintable(errors));
        QCOMPARE(QDir(profiles).entryList({QStringLiteral("profile-9.json.corrupt-*")}).size(), 1);

        const QList<QPair<QStringList, QString>> refused{
            {{QStringLiteral("--colour"), QStringLiteral("banana")}, QStringLiteral("'banana'")},
            {{QStringLiteral("--scheme"), QStringLiteral("Sunset")}, QStringLiteral("'Sunset'")},
            {{QStringLiteral("--profile"), QStringLiteral("Nobody")},
             QStringLiteral("\"Nobody\"; the profiles are \"Window Co\", \"Birch, Pine & Co\"")}};
        for (const auto& [arguments, named] : refused) {
            QCOMPARE(run(arguments +
                             QStringList{QStringLiteral("--output"), QStringLiteral("refused.pdf")},
                         &errors),
                     2);
            QVERIFY2(errors.contains(named), qPrintable(errors));
            QVERIFY(!QFileInfo::exists(path(QStringLiteral("refused.pdf"))));
        }
        writeFile(path(QStringLiteral("colours.csv")),
                  "company_name,colour\nAcme,#14505C\nBeta,banana\n");
        QCOMPARE(run({QStringLiteral("--batch"), QStringLiteral("colours.csv"),
                      QStringLiteral("--check")},
                     &errors),
                 1);
        QVERIFY2(errors.contains(QStringLiteral("colours.csv:3: colour: 'banana' is not a colour")),
                 qPrintable(errors));

        QCOMPARE(run({QStringLiteral("--profile"), QStringLiteral("birch, pine & CO"),
                      QStringLiteral("--output"), QStringLiteral("maroon.pdf")},
                     &errors),
                 0);
        QVERIFY(lw::test::textOfPdf(path(QStringLiteral("maroon.pdf"))).contains(birch));
        QCOMPARE(lw::test::mainColourProblem(
                     lw::test::pagesOfPdf(path(QStringLiteral("maroon.pdf")), 30, m_home.path()),
                     0xff8b1e3f),
                 QString());

        // Without colours of its own, a brochure takes those the window shows.
        QCOMPARE(run({QStringLiteral("--save-profile"), QStringLiteral("Window Co"),
                      QStringLiteral("--colour"), QStringLiteral("#F2E94E")},
                     &errors),
                 0);
        QCOMPARE(run({QStringLiteral("--fields"), QStringLiteral("birch.ini"),
                      QStringLiteral("--output"), QStringLiteral("pale.pdf")},
                     &errors),
                 0);
        const QImage page =
            lw::test::pagesOfPdf(path(QStringLiteral("pale.pdf")), 200, m_home.path(), 1).value(0);
        QVERIFY(!page.isNull());
        // The cover's title: the name's lines, then the tag line's, each at
        // the contrast of its most legible pixel, the core of its strokes.
        const QRgb ground = 0xfff2e94e;
        const QRect title(page.width() * 70 / 100, page.height() * 22 / 100,
                          page.width() * 25 / 100, page.height() * 52 / 100);
        QList<double> lines; // the best contrast of each run of text rows
        bool inLine = false;
        for (int y = title.top(); y <= title.bottom(); ++y) {
            double best = 1;
            for (int x = title.left(); x <= title.right(); ++x)
                best = std::max(best, lw::contrastRatio(page.pixel(x, y), ground));
            if (best > 1.5 && !inLine)
                lines << best;
            else if (best > 1.5)
                lines.last() = std::max(lines.last(), best);
            inLine = best > 1.5;
        }
        qInfo() << "contrast of the pale cover's lines of text:" << lines;
        QVERIFY(lines.size() >= 2);
        QVERIFY(lines.first() >= lw::kMinimumTextContrast);
        QVERIFY(lines.last() >= lw::kMinimumTextContrast);
        verifyNothingLeft();
    }

    // An office that dies in the middle of a list costs no row: the row in
    // hand is made again on a fresh office, once, and the list goes on,
    // with nothing but the rows' outcome told.
    void rowsOfAKilledOfficeAreMadeAgain() {
        QByteArray list = "company_name,city\n";
        for (int i = 0; i < 30; ++i)
            list += "Row " + QByteArray::number(i) + ",Springfield\n";
        writeFile(path(QStringLiteral("killed.csv")), list);
        const QString out = path(QStringLiteral("killed"));
        start({QStringLiteral("--batch"), QStringLiteral("killed.csv"),
               QStringLiteral("--output-dir"), out, QStringLiteral("--jobs"), QStringLiteral("2")});
        QList<pid_t> killed;
        for (const int after : {5, 15}) {
            QVERIFY(lw::test::waitFor(
                [&] { return QDir(out).entryList(QDir::Files).size() >= after; }, 60000));
            const QList<pid_t> offices = lw::test::processesWith(officeMarker());
            QVERIFY(!offices.isEmpty());
            ::kill(offices.first(), SIGKILL);
            killed << offices.first();
        }
        QVERIFY(m_process.waitForFinished(120000));
        const QString errors = QString::fromUtf8(m_process.readAllStandardError());
        QCOMPARE(m_process.exitCode(), 0);
        QVERIFY2(errors.contains(QStringLiteral("30 written")), qPrintable(errors));
        QVERIFY2(errors.count(QLatin1Char('\n')) <= 3, qPrintable(errors));
        const QStringList written = entries(out);
        QCOMPARE(written.size(), 30);
        for (const QString& name : written)
            QVERIFY2(docText(out + QLatin1Char('/') + name).contains(name.chopped(4)),
                     qPrintable(name));
        verifyNothingLeft();
    }

    void interruptionLeavesOnlyWholeFiles() {
        QByteArray list = "company_name,city\n";
        for (int i = 0; i < 200; ++i)
            list += "Company " + QByteArray::number(i) + ",Springfield\n";
        writeFile(path(QStringLiteral("long.csv")), list);
        const QString out = path(QStringLiteral("interrupted"));
        start({QStringLiteral("--batch"), QStringLiteral("long.csv"),
               QStringLiteral("--output-dir"), out});
        QVERIFY(
            lw::test::waitFor([&] { return QDir(out).entryList(QDir::Files).size() >= 3; }, 60000));
        ::kill(pid_t(m_process.processId()), SIGINT);
        QVERIFY(m_process.waitForFinished(30000));
        QCOMPARE(m_process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_process.exitCode(), 130);
        QVERIFY(QString::fromUtf8(m_process.readAllStandardError())
                    .contains(QStringLiteral("(interrupted)")));

        const QStringList written = entries(out);
        QVERIFY(written.size() >= 3 && written.size() < 200);
        for (const QString& name : written) {
            QVERIFY2(!name.startsWith(QLatin1Char('.')), qPrintable(name)); // no temporary file
            QVERIFY2(docText(out + QLatin1Char('/') + name).contains(name.chopped(4)),
                     qPrintable(name));
        }
        verifyNothingLeft();
    }
};

QTEST_MAIN(CommandLineTest)
#include "tst_command_line.moc"
