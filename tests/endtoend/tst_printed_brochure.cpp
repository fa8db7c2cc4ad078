// The brochure as it prints, for real companies' data: whole generation runs
// on the real engine for a table of data sets, each saved brochure printed to
// PDF by a separate office of the test's own, then read and looked at.
// Set LEAFWRIGHT_KEEP_PRINTS to a folder to keep the documents and PDFs.

#include "brochure/BrochureProduct.h"
#include "shell/ProgramEnd.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/PrintedPages.h"
#include "tests/support/RunResults.h"
#include "tests/support/TestHome.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "wordgen/EngineModule.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace lw;

namespace {

// One company's data, field by field.
struct Company {
    QString name, tagLine, street, address2, city, state, zip, phone, fax, email;

    // The values in field index order, the order of the placeholder table.
    QStringList byIndex() const {
        return {name, city, address2, phone, fax, email, street, tagLine, state, zip};
    }
};

Company sampleCompany() {
    QStringList v;
    for (const BrochureField& field : kPlaceholderTable)
        v << QString::fromUtf8(field.sample);
    return {v[0], v[7], v[6], v[2], v[1], v[8], v[9], v[3], v[4], v[5]};
}

// The data sets, by the base name their files get.
std::map<QString, Company> dataSets() {
    const Company sample = sampleCompany();
    Company noFaxNoLine2 = sample;
    noFaxNoLine2.fax.clear();
    noFaxNoLine2.address2.clear();
    Company nameAndEmail;
    nameAndEmail.name = QStringLiteral("Harbor Light Bookkeeping");
    nameAndEmail.email = QStringLiteral("hello@harborlightbooks.com");
    Company cityOnly;
    cityOnly.name = QStringLiteral("Maple & Main Bakery");
    cityOnly.city = QStringLiteral("Burlington");
    cityOnly.phone = QStringLiteral("(802) 555-0199");
    // The longest values the template is made for: name 60, tag line 120,
    // address lines 50 each, city 40, e-mail 60, phone and fax 25.
    const Company longest{
        QStringLiteral("Northeast Kingdom Heritage Woodworking and Restoration Works"),
        QStringLiteral("Handcrafted furniture, fine cabinetry and careful restoration of antique "
                       "pieces for homes and businesses in New England."),
        QStringLiteral("123456 Old Stagecoach Road and Covered Bridge Lane"),
        QStringLiteral("Building C, Second Floor, Suites 210-14, Back Door"),
        QStringLiteral("South Londonderry Village Junction North"),
        QStringLiteral("VT"),
        QStringLiteral("05155-1234"),
        QStringLiteral("+1 (802) 555-0147 ext 123"),
        QStringLiteral("+1 (802) 555-0182 ext 456"),
        QStringLiteral("customer.service.team.desk@northeastkingdomheritageworks.com"),
    };
    // Capitals are the widest text of all.
    Company capitals = longest;
    for (QString* value : {&capitals.name, &capitals.tagLine, &capitals.street, &capitals.address2,
                           &capitals.city, &capitals.email})
        *value = value->toUpper();
    const Company scripts{
        QStringLiteral("Café Ōtsuka & Søn Pâtisserie"),
        QStringLiteral("北京烤鸭 · 東京の味 · مطبخ شرقي أصيل"),
        QStringLiteral("شارع الملك فيصل ١٢"),
        QStringLiteral("Bâtiment Ü, 3ᵉ étage"),
        QStringLiteral("Montréal-Nord"),
        QStringLiteral("QC"),
        QStringLiteral("H1G 3K9"),
        QStringLiteral("+1 514-555-0123"),
        QStringLiteral("+1 514-555-0124"),
        QStringLiteral("café@pâtisserie-ōtsuka.ca"),
    };
    return {{QStringLiteral("sample"), sample},
            {QStringLiteral("empty"), Company{}},
            {QStringLiteral("no-fax-no-line-2"), noFaxNoLine2},
            {QStringLiteral("name-and-email"), nameAndEmail},
            {QStringLiteral("city-only-address"), cityOnly},
            {QStringLiteral("longest"), longest},
            {QStringLiteral("longest-in-capitals"), capitals},
            {QStringLiteral("scripts"), scripts}};
}

constexpr int kDotsPerInch = 48;
// An office printer leaves about the outer quarter inch of the sheet blank.
constexpr double kUnprintableInches = 0.25;

} // namespace

class PrintedBrochureTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir work;
    QElapsedTimer clock;

    QString documentOf(const QString& name) const { return work.filePath(name + ".doc"); }
    QString pdfOf(const QString& name) const { return work.filePath(name + ".pdf"); }

private slots:
    // Every data set through a whole run, then one office prints them all.
    void initTestCase() {
        clock.start();
        setProgramExitForTesting([](int) {});
        QCOMPARE(word::loadEngineModules(), QString());
        test::FakePrompts prompts;
        Form1 form;
        form.Form_Load();
        QStringList documents;
        for (const auto& [name, company] : dataSets()) {
            form.PushButton3_Click();
            const QStringList values = company.byIndex();
            for (int index = 0; index < kFieldCount; ++index)
                form.Text1(index)->setText(values.at(index));
            form.PushButton6_Click();
            Form2& preview = Form2::instance();
            QVERIFY2(QFile::copy(preview.mWordFile, documentOf(name)), qPrintable(name));
            preview.PushButton8_Click();
            documents << documentOf(name);
        }
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));
        word::stopEngines();
        const QString profile = work.filePath(QStringLiteral("print-profile"));
        QVERIFY(test::convertWithOwnOffice(documents, QStringLiteral("pdf"), profile, work.path()));
        // The properties as an office reads them from the saved file.
        const QString properties = work.filePath(QStringLiteral("properties"));
        QVERIFY(QDir().mkpath(properties));
        QVERIFY(test::convertWithOwnOffice({documentOf(QStringLiteral("sample"))},
                                           QStringLiteral("odt"), profile, properties));
        qInfo("%lld data sets run and printed in %lld ms", qlonglong(documents.size()),
              qlonglong(clock.elapsed()));
        if (const QString keep = qEnvironmentVariable("LEAFWRIGHT_KEEP_PRINTS"); !keep.isEmpty()) {
            QDir().mkpath(keep);
            for (const QString& name : QDir(work.path()).entryList({"*.doc", "*.pdf"})) {
                QFile::remove(keep + QLatin1Char('/') + name);
                QFile::copy(work.filePath(name), keep + QLatin1Char('/') + name);
            }
        }
    }

    void cleanupTestCase() {
        word::stopEngines();
        qInfo("whole test %lld ms", qlonglong(clock.elapsed()));
    }

    void printsEveryValueWhole_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("values");
        for (const auto& [name, company] : dataSets())
            QTest::newRow(qPrintable(name)) << name << company.byIndex();
    }

    // Every value in full, no token left, and nothing that reads as broken
    // where a field was left empty.
    void printsEveryValueWhole() {
        QFETCH(QString, name);
        QFETCH(QStringList, values);
        const QString printed = test::textOfPdf(pdfOf(name));
        QVERIFY(!printed.simplified().isEmpty());
        QCOMPARE(test::tokensIn(printed), QStringList());
        for (const QString& value : values)
            if (!value.isEmpty())
                QVERIFY2(
                    test::printedWhole(printed, value),
                    qPrintable(
                        QStringLiteral("\"%1\" not printed whole in:\n%2").arg(value, printed)));
        const QStringList broken = test::brokenLines(printed);
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1Char('\n'))));
    }

    void printsTheTemplatesOwnCopyWhole_data() { printsEveryValueWhole_data(); }

    // The brochure's own words print in full whatever the values push aside:
    // each line printed with every field empty is printed for every data set.
    void printsTheTemplatesOwnCopyWhole() {
        QFETCH(QString, name);
        const QStringList copy =
            test::printedLines(test::textOfPdf(pdfOf(QStringLiteral("empty"))));
        QVERIFY(copy.size() > 50);
        const QStringList printed = test::printedLines(test::textOfPdf(pdfOf(name)));
        QStringList missing;
        for (const QString& line : copy)
            if (!printed.contains(line))
                missing << line;
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }

    void leavesNoGapForAnEmptyField_data() { printsEveryValueWhole_data(); }

    // An empty field's line shrinks to nothing: the values printed above and
    // below it stand as close as any two lines of a value.
    void leavesNoGapForAnEmptyField() {
        QFETCH(QString, name);
        const auto own = test::printedLineBoxes(pdfOf(QStringLiteral("empty")));
        const auto lines = test::printedLineBoxes(pdfOf(name));
        QVERIFY(lines.size() > 50);
        const QStringList gaps = test::gapsBetweenValues(lines, own);
        QVERIFY2(gaps.isEmpty(), qPrintable(gaps.join(QLatin1Char('\n'))));
    }

    void printsNothingWhereAPrinterCannot_data() { printsEveryValueWhole_data(); }

    void printsNothingWhereAPrinterCannot() {
        QFETCH(QString, name);
        const auto pages = test::pagesOfPdf(pdfOf(name), kDotsPerInch, work.path());
        QCOMPARE(pages.size(), 2);
        for (const QImage& page : pages) {
            // Landscape Letter.
            QCOMPARE(page.size(), QSize(11 * kDotsPerInch, int(8.5 * kDotsPerInch)));
            QCOMPARE(test::inkInMargin(page, int(kUnprintableInches * kDotsPerInch)), 0);
        }
    }

    // The fonts are named as a Word user's system names them, and print here
    // with the faces that have their metrics.
    void namesFontsWordUsersHave() {
        QFile document(documentOf(QStringLiteral("sample")));
        QVERIFY(document.open(QIODevice::ReadOnly));
        const QByteArray bytes = document.readAll();
        const auto utf16 = [](const QString& text) {
            return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        };
        QVERIFY(bytes.contains(utf16(QStringLiteral("Arial"))));
        QVERIFY(bytes.contains(utf16(QStringLiteral("Times New Roman"))));
        QVERIFY(!bytes.contains(utf16(QStringLiteral("DejaVu"))));
        // The one Liberation name in the font table is the office's built-in
        // default, which it always writes, with Times New Roman as its
        // alternate name; no style and no text uses it (below).
        QCOMPARE(bytes.count(utf16(QStringLiteral("Liberation"))), 1);
        QVERIFY(bytes.contains(utf16(QStringLiteral("Liberation Serif") + QChar(0) +
                                     QStringLiteral("Times New Roman"))));
        const QString odt = work.filePath(QStringLiteral("properties/sample.odt"));
        QString styles = test::runTool(QStringLiteral("unzip"),
                                       {QStringLiteral("-p"), odt, QStringLiteral("styles.xml"),
                                        QStringLiteral("content.xml")});
        QVERIFY(styles.contains(QStringLiteral("style:font-name=\"Arial\"")));
        // The reading office's own default style carries its own defaults.
        styles.remove(
            QRegularExpression(QStringLiteral("<style:default-style.*?</style:default-style>"),
                               QRegularExpression::DotMatchesEverythingOption));
        static const QRegularExpression otherFace(
            QStringLiteral("font-name(-asian|-complex)?=\"[^\"]*(Liberation|DejaVu)"));
        QVERIFY2(!styles.contains(otherFace), qPrintable(otherFace.match(styles).captured()));

        const QString fonts =
            test::runTool(QStringLiteral("pdffonts"), {pdfOf(QStringLiteral("sample"))});
        QVERIFY2(fonts.contains(QStringLiteral("LiberationSans")), qPrintable(fonts));
        QVERIFY2(fonts.contains(QStringLiteral("LiberationSerif")), qPrintable(fonts));
    }

    // No title, subject or comments carried over from the template, and the
    // dates of the save.
    void carriesNoTemplateProperties() {
        const QString odt = work.filePath(QStringLiteral("properties/sample.odt"));
        const QString meta =
            test::runTool(QStringLiteral("unzip"), {QStringLiteral("-p"), odt, "meta.xml"});
        QVERIFY(!meta.isEmpty());
        for (const char* element :
             {"<dc:title>", "<dc:description>", "<dc:subject>", "<meta:keyword>"})
            QVERIFY2(!meta.contains(QLatin1String(element)), qPrintable(meta));
        const QDateTime now = QDateTime::currentDateTime();
        for (const char* element : {"meta:creation-date", "dc:date"}) {
            const QRegularExpression date(QStringLiteral("<%1>([^<.]+)").arg(element));
            const QDateTime stamped =
                QDateTime::fromString(date.match(meta).captured(1), Qt::ISODate);
            QVERIFY2(stamped.isValid(), qPrintable(meta));
            QVERIFY2(qAbs(stamped.secsTo(now)) < 3600, qPrintable(meta));
        }
    }
};

QTEST_MAIN(PrintedBrochureTest)
#include "tst_printed_brochure.moc"
