// The brochure saved from the preview as PDF through the engine, read back
// with poppler's tools as a print shop's software would. Set
// LEAFWRIGHT_KEEP_PRINTS to a folder to keep the PDF.
#include "brochure/BrochureProduct.h"
#include "tests/support/EngineRunFixture.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/PrintedPages.h"
#include "tests/support/RunResults.h"
#include "ui/Form2.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace lw;

namespace {

// pdfinfo's "Name: value" lines.
QString infoField(const QString& info, const QString& name) {
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(name),
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

} // namespace

class BrochurePdfTest : public QObject {
    Q_OBJECT
    test::EngineRunFixture fixture;
    QTemporaryDir out;

private slots:
    void initTestCase() { QCOMPARE(fixture.startEngine(), QString()); }
    void cleanupTestCase() { QVERIFY(fixture.stopEngine()); }
    void init() { fixture.reset(); }

    void bothPagesPrintReady() {
        test::FakePrompts prompts;
        auto form = test::EngineRunFixture::sampleWindow();
        form->Text1(0)->setText(QStringLiteral("Café Ōtsuka & Søn"));
        form->PushButton6_Click();
        Form2& preview = Form2::instance();
        const QString doc = preview.mWordFile;
        const QString pdf = out.filePath(QStringLiteral("brochure.pdf"));
        prompts.saveAnswers << pdf;
        prompts.saveFilterAnswers << kPdfFilterIndex;
        preview.PushButton6_Click();
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));
        QCOMPARE(prompts.messages, QStringList({QStringLiteral("Done.")}));
        if (const QString keep = qEnvironmentVariable("LEAFWRIGHT_KEEP_PRINTS"); !keep.isEmpty())
            QFile::copy(pdf, QDir(keep).filePath(QStringLiteral("brochure.pdf")));

        const QString info = test::runTool(QStringLiteral("pdfinfo"), {pdf});
        QCOMPARE(infoField(info, QStringLiteral("Pages")), QStringLiteral("2"));
        QCOMPARE(infoField(info, QStringLiteral("Title")), QStringLiteral("Café Ōtsuka & Søn"));
        // US Letter, landscape.
        QVERIFY2(
            infoField(info, QStringLiteral("Page size")).startsWith(QStringLiteral("792 x 612")),
            qPrintable(info));
        // Every font embedded: pdffonts' "emb" column says yes on every row.
        const QStringList fonts = test::runTool(QStringLiteral("pdffonts"), {pdf})
                                      .split(u'\n', Qt::SkipEmptyParts)
                                      .mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString& font : fonts)
            QVERIFY2(
                font.contains(QRegularExpression(QStringLiteral("\\s+yes\\s+(yes|no)\\s+(yes|no)"
                                                                "\\s+\\d+\\s+\\d+\\s*$"))),
                qPrintable(font));
        // Text that can be selected: every value, in the printed words.
        const QString printed = test::textOfPdf(pdf);
        for (int index = 0; index < kFieldCount; ++index)
            QVERIFY2(test::printedWhole(printed, form->Text1(index)->text()),
                     qPrintable(form->Text1(index)->text()));
        QCOMPARE(test::tokensIn(printed), QStringList());
        // The working document stays as it was saved, and nothing but the
        // PDF is left in its folder.
        QVERIFY(QFile::exists(doc));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({QStringLiteral("brochure.pdf")}));
        preview.PushButton8_Click();
    }
};

QTEST_MAIN(BrochurePdfTest)
#include "tst_brochure_pdf.moc"
