// Whether the preview can be proofread: the pages of a real run, as the
// window shows them at zoom 1.0 and 1.5 (page 2 reached with Page Down),
// against a 300 dpi rendering of the same working document (PDF from a separate office, rasterised
// by pdftoppm) brought to the same size. A picture that is only stretched from a small one loses
// the strokes of small text and differs from the reference along every letter; a sharp one does
// not.
#include "shell/ProgramEnd.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/PrintedPages.h"
#include "tests/support/TestHome.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/PictureBox.h"
#include "wordgen/EngineModule.h"

#include <QDir>
#include <QPixmap>
#include <QTest>

#include <cstdlib>

using namespace lw;

namespace {

// The mean absolute difference of two equally sized pictures' grey values
// (0..255), over every pixel.
double meanAbsoluteError(const QImage& a, const QImage& b) {
    const QImage ga = a.convertToFormat(QImage::Format_Grayscale8);
    const QImage gb = b.convertToFormat(QImage::Format_Grayscale8);
    if (ga.size() != gb.size())
        return 255;
    double sum = 0;
    for (int y = 0; y < ga.height(); ++y) {
        const uchar* la = ga.constScanLine(y);
        const uchar* lb = gb.constScanLine(y);
        for (int x = 0; x < ga.width(); ++x)
            sum += std::abs(int(la[x]) - int(lb[x]));
    }
    return sum / (double(ga.width()) * ga.height());
}

// The pages of a Word document at 300 dpi, rendered through the office:
// converted to PDF by a separate office with a profile of its own (never the
// program's), then rasterised.
QList<QImage> referencePages(const QString& document, const QString& work) {
    if (!test::convertWithOwnOffice({document}, QStringLiteral("pdf"),
                                    work + QStringLiteral("/profile"), work))
        return {};
    const QString pdf =
        work + QLatin1Char('/') + QFileInfo(document).completeBaseName() + QStringLiteral(".pdf");
    return test::pagesOfPdf(pdf, 300, work);
}

// What Picture1 shows, at the screen's device pixels.
QImage shownPicture(Form2& preview) {
    return preview.Picture1()->grab().toImage();
}

} // namespace

class PreviewLegibilityTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    test::FakePrompts m_prompts;
    Form1 m_form;
    QList<QImage> m_reference;

private slots:
    // One run of the sample brochure; its working document gives the
    // reference.
    void initTestCase() {
        setProgramExitForTesting([](int) {});
        QCOMPARE(word::loadEngineModules(), QString());
        m_form.Form_Load();
        m_form.PushButton4_Click();
        m_form.PushButton6_Click();
        QVERIFY2(m_prompts.errors.isEmpty(), qPrintable(m_prompts.errors.join("\n")));
        QVERIFY(Form2::instance().isVisible());
        m_reference = referencePages(Form2::instance().mWordFile, home.path());
        QCOMPARE(m_reference.size(), 2);
        QCOMPARE(Form2::instance().pageCount(), 2);
    }
    void cleanupTestCase() {
        Form2::instance().PushButton8_Click();
        word::stopEngines();
    }

    // Grey values of page 1 differ by 0.55 to 1.0 on average between the two
    // drawings of the same page (another rasteriser, another filter), on a
    // screen scaled 1x or 2x; a picture with half the pixels per axis,
    // stretched, differs by 2.7 to 5, and the preview's old 54 dpi picture by
    // 3.9 to 5.5. 1.25 leaves room for the first and fails the others.
    void pictureMatchesAHighResolutionRendering_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<double>("bound");
        QTest::newRow("page 1, 1.0") << 1 << 1.0f << 1.25;
        QTest::newRow("page 1, 1.5") << 1 << 1.5f << 1.25;
        // Page 2 is mostly small body text, where two drawings differ most:
        // 0.65 to 1.25 for the same page, 4 to 6.2 for half the pixels.
        QTest::newRow("page 2, 1.5") << 2 << 1.5f << 1.75;
        QTest::newRow("page 2, 1.0") << 2 << 1.0f << 1.75;
    }

    void pictureMatchesAHighResolutionRendering() {
        QFETCH(int, page);
        QFETCH(float, zoom);
        QFETCH(double, bound);
        Form2& preview = Form2::instance();
        float wanted = zoom;
        preview.view().SetZoom(wanted);
        QCOMPARE(preview.view().zoom(), zoom);
        if (preview.page() != page) {
            // As the user turns the page: the zoom stays, the view starts at
            // the top left.
            QVERIFY(QTest::qWaitForWindowActive(&preview));
            QTest::keyClick(&preview, page > preview.page() ? Qt::Key_PageDown : Qt::Key_PageUp);
            QCOMPARE(preview.page(), page);
            QCOMPARE(preview.view().zoom(), zoom);
            QCOMPARE(preview.Picture1()->pos(), QPoint(0, 0));
        }

        const QImage shown = shownPicture(preview);
        const QSize logical = preview.Picture1()->size();
        QCOMPARE(shown.size(), logical * preview.Picture1()->devicePixelRatioF());
        const QImage reference = m_reference.at(page - 1).scaled(
            shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double error = meanAbsoluteError(shown, reference);
        // What the bound tells apart: the same reference with half the
        // pixels per axis, stretched to the shown size, as a picture made
        // too small for the screen would look.
        const QImage stretched =
            reference.scaled(shown.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double stretchedError = meanAbsoluteError(stretched, reference);
        qInfo("page %d, zoom %.2f, screen scale %.2f: %dx%d device pixels, mean absolute error "
              "%.2f (a picture of half the resolution: %.2f)",
              page, zoom, preview.devicePixelRatioF(), shown.width(), shown.height(), error,
              stretchedError);

        const QString shots = qEnvironmentVariable("LEAFWRIGHT_SCREENSHOTS");
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
            const QString tag = qEnvironmentVariable("LEAFWRIGHT_SCREENSHOT_TAG");
            const QString name = QStringLiteral("%1zoom-%2%3.png")
                                     .arg(page == 1 ? QString() : QStringLiteral("page2-"),
                                          QString::number(zoom, 'f', 1), tag);
            preview.grab().save(shots + QStringLiteral("/preview-") + name);
            shown.save(shots + QStringLiteral("/picture-") + name);
            reference.save(shots + QStringLiteral("/reference-") + name);
        }
        QVERIFY2(stretchedError > bound, qPrintable(QString::number(stretchedError)));
        QVERIFY2(error < bound, qPrintable(QString::number(error)));
        QVERIFY(m_prompts.errors.isEmpty());
    }
};

QTEST_MAIN(PreviewLegibilityTest)
#include "tst_preview_legibility.moc"
