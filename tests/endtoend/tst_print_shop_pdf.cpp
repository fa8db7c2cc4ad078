// The brochure made for a print shop on the command line, read back with
// poppler's tools as a print shop's preflight reads it: the boxes, PDF/X with
// every font embedded, the bleed in the cover's colour, text inside the trim,
// marks on the trim and the folds, a coarse logo, and Ghostscript failing.
// Set LEAFWRIGHT_KEEP_PRINTS to a folder to keep the PDFs.
#include "brochure/BrochureProduct.h"
#include "brochure/LogoPicture.h"
#include "tests/support/PrintedPages.h"
#include "tests/support/ProgramRuns.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double kPoints = 72;
// The trimmed page, and how far it lies inside the page: the bleed alone, or
// the bleed and the marks' room.
constexpr double kTrimWidth = 11 * kPoints, kTrimHeight = 8.5 * kPoints;
constexpr double kBleed = 0.125 * kPoints;
constexpr double kAroundPlain = kBleed, kAroundMarked = 0.5 * kPoints;

// pdfinfo -box's box of a page: left, bottom, right, top.
QList<double> pageBox(const QString& info, int page, const QString& name) {
    const QRegularExpression line(
        QStringLiteral("^Page\\s+%1 %2:\\s+(\\S+)\\s+(\\S+)\\s+(\\S+)\\s+(\\S+)$")
            .arg(page)
            .arg(name),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(info);
    QList<double> box;
    for (int i = 1; match.hasMatch() && i <= 4; ++i)
        box << match.captured(i).toDouble();
    return box;
}

bool closeTo(const QList<double>& box, const QList<double>& expected) {
    if (box.size() != expected.size())
        return false;
    for (int i = 0; i < box.size(); ++i)
        if (std::abs(box[i] - expected[i]) > 0.01)
            return false;
    return true;
}

bool sameColour(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) <= 4 && std::abs(a.green() - b.green()) <= 4 &&
           std::abs(a.blue() - b.blue()) <= 4;
}

// The middles of the dark runs along a row of a page, in points from the
// page's left edge.
QList<double> darkRuns(const QImage& page, double y, double dotsPerPoint) {
    QList<double> middles;
    const int row = int(y * dotsPerPoint);
    int start = -1;
    for (int x = 0; x <= page.width(); ++x) {
        const bool dark = x < page.width() && qGray(page.pixel(x, row)) < 128;
        if (dark && start < 0)
            start = x;
        if (!dark && start >= 0) {
            middles << (start + x) / 2.0 / dotsPerPoint;
            start = -1;
        }
    }
    return middles;
}

} // namespace

class PrintShopPdfTest : public QObject, lw::test::ProgramRuns {
    Q_OBJECT

    QString marked() const { return path(QStringLiteral("marked.pdf")); }
    QString plain() const { return path(QStringLiteral("plain.pdf")); }

    // The program on the sample fields.
    int runOnSample(const QStringList& arguments, QString* errors) {
        return run(arguments +
                       QStringList{QStringLiteral("--fields"), QStringLiteral("sample.ini")},
                   errors);
    }

    // A logo of the given size: an amber disc on a transparent ground.
    QString logo(const QString& name, const QSize& size) {
        QImage picture(size, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xF0, 0xB4, 0x29));
        painter.drawEllipse(
            QRect(QPoint(size.width() / 4, 0), QSize(size.height(), size.height())));
        painter.end();
        const QString file = path(name);
        picture.save(file);
        return file;
    }

private slots:
    // The sample brochure for a print shop with marks and without, and the
    // brochure's own PDF; the print shop's one is timed.
    void initTestCase() {
        QVERIFY(m_home.isValid());
        QByteArray fields("[Leafwright]\n");
        for (const lw::BrochureField& field : lw::kPlaceholderTable)
            fields += QByteArray(field.key) + '=' + field.sample + '\n';
        writeFile(path(QStringLiteral("sample.ini")), fields);
        logo(QStringLiteral("logo.png"), {1200, 600});

        QString errors;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(runOnSample({QStringLiteral("--output"), QStringLiteral("home.pdf")}, &errors), 0);
        const qint64 home = clock.restart();
        QCOMPARE(runOnSample({QStringLiteral("--output"), marked(), QStringLiteral("--print-shop"),
                              QStringLiteral("--marks"), QStringLiteral("--logo"),
                              QStringLiteral("logo.png")},
                             &errors),
                 0);
        const qint64 shop = clock.restart();
        QVERIFY2(errors.isEmpty(), qPrintable(errors));
        QCOMPARE(runOnSample({QStringLiteral("--output"), plain(), QStringLiteral("--print-shop"),
                              QStringLiteral("--logo"), QStringLiteral("logo.png")},
                             &errors),
                 0);
        qInfo("home PDF %lld ms, print shop's PDF with marks %lld ms (%lld bytes), without %lld "
              "bytes",
              home, shop, QFileInfo(marked()).size(), QFileInfo(plain()).size());
        if (const QString keep = qEnvironmentVariable("LEAFWRIGHT_KEEP_PRINTS"); !keep.isEmpty())
            for (const QString& name : {marked(), plain(), path(QStringLiteral("home.pdf"))})
                QFile::copy(name, QDir(keep).filePath(QFileInfo(name).fileName()));
        verifyNothingLeft();
    }

    void cleanup() {
        stopLeftovers();
        m_pathBefore.clear();
    }

    void boxesFontsAndPdfx_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("around");
        QTest::newRow("without marks") << QStringLiteral("plain.pdf") << kAroundPlain;
        QTest::newRow("with marks") << QStringLiteral("marked.pdf") << kAroundMarked;
    }

    // Two pages, each trimmed to 11 x 8.5 in with 0.125 in of bleed around it,
    // PDF/X with an output intent, every font embedded. The brochure's own PDF
    // stays US Letter.
    void boxesFontsAndPdfx() {
        QFETCH(QString, name);
        QFETCH(double, around);
        const QString pdf = path(name);
        const QString info =
            lw::test::runTool(QStringLiteral("pdfinfo"),
                              {QStringLiteral("-box"), QStringLiteral("-f"), QStringLiteral("1"),
                               QStringLiteral("-l"), QStringLiteral("9"), pdf});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))),
                 qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("PDF subtype:\\s+PDF/X"))),
                 qPrintable(info));
        for (int page = 1; page <= 2; ++page) {
            const QList<double> trim{around, around, around + kTrimWidth, around + kTrimHeight};
            QVERIFY2(closeTo(pageBox(info, page, QStringLiteral("TrimBox")), trim),
                     qPrintable(info));
            QVERIFY2(
                closeTo(pageBox(info, page, QStringLiteral("BleedBox")),
                        {trim[0] - kBleed, trim[1] - kBleed, trim[2] + kBleed, trim[3] + kBleed}),
                qPrintable(info));
            QVERIFY2(closeTo(pageBox(info, page, QStringLiteral("MediaBox")),
                             {0, 0, kTrimWidth + 2 * around, kTrimHeight + 2 * around}),
                     qPrintable(info));
        }
        QVERIFY(readFile(pdf).contains("/OutputIntents"));

        const QStringList fonts = lw::test::runTool(QStringLiteral("pdffonts"), {pdf})
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                      .mid(2);
        QVERIFY(fonts.size() >= 2);
        for (const QString& font : fonts) // name type encoding emb sub uni ...
            QVERIFY2(font.section(QLatin1Char(' '), -5, -5, QString::SectionSkipEmpty) ==
                         QLatin1String("yes"),
                     qPrintable(font));

        const QString home =
            lw::test::runTool(QStringLiteral("pdfinfo"), {path(QStringLiteral("home.pdf"))});
        QVERIFY2(home.contains(QStringLiteral("Page size:       792 x 612 pts (letter)")),
                 qPrintable(home));
    }

    // The cover's colours, as the PDF paints them inside the cover (the card,
    // and the strap at its foot), reach the bleed's edge on top, right and
    // bottom; the logo's transparent corners show the card's colour, not a
    // white box.
    void bleedRunsOnInTheCoverColour() {
        constexpr int dotsPerInch = 72;
        const auto pages = lw::test::pagesOfPdf(plain(), dotsPerInch, m_home.path(), 1);
        QCOMPARE(pages.size(), 1);
        const QImage& page = pages.first();
        // Inches from the trim's top left corner.
        const auto at = [&](QPointF inches) {
            return page.pixelColor(int((inches.x() + 0.125) * dotsPerInch),
                                   int((inches.y() + 0.125) * dotsPerInch));
        };
        const double edge = 0.12; // just inside the bleed's edge
        const QRectF logo = lw::logoPlacement({1200, 600});
        const QPointF card(9.0, 0.2), strap(9.0, 8.2);
        // A point at or beyond the trim, and one well inside the cover.
        const QList<std::pair<QPointF, QPointF>> pairs{
            {{9.0, -edge}, card},
            {{11 + edge, 4.0}, card},
            {{11 + edge, -edge}, card},
            {{10.99, 4.0}, card},
            {logo.topLeft() + QPointF(0.03, 0.03), card},
            {logo.bottomLeft() + QPointF(0.03, -0.03), card},
            {{9.0, 8.5 + edge}, strap},
            {{11 + edge, 8.5 + edge}, strap}};
        for (const auto& [point, inside] : pairs) {
            QVERIFY2(!sameColour(at(inside), Qt::white), qPrintable(at(inside).name()));
            QVERIFY2(sameColour(at(point), at(inside)),
                     qPrintable(QStringLiteral("%1 at %2, %3 in, the cover is %4 there")
                                    .arg(at(point).name())
                                    .arg(point.x())
                                    .arg(point.y())
                                    .arg(at(inside).name())));
        }
        // The logo's disc is there.
        QVERIFY(!sameColour(at(logo.center()), at(card)));
    }

    // Every word is text, 0.125 in or more inside the trim.
    void textStaysTextInsideTheTrim() {
        const QString words = lw::test::runTool(
            QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), plain(), QStringLiteral("-")});
        QVERIFY(words.contains(QStringLiteral(">Tessaly<")));
        static const QRegularExpression word(
            QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                           "yMax=\"([0-9.]+)\">([^<]*)<"));
        int count = 0;
        const double inside = kAroundPlain + 0.125 * kPoints;
        for (const auto& match : word.globalMatch(words)) {
            ++count;
            QVERIFY2(match.captured(1).toDouble() >= inside &&
                         match.captured(2).toDouble() >= inside &&
                         match.captured(3).toDouble() <= 2 * kAroundPlain + kTrimWidth - inside &&
                         match.captured(4).toDouble() <= 2 * kAroundPlain + kTrimHeight - inside,
                     qPrintable(match.captured(0)));
        }
        QVERIFY(count > 300);
    }

    // Above and below the bleed, the crop marks stand on the trim's left and
    // right edges and the fold marks on the folds of a roll fold.
    void marksAtTrimAndFolds() {
        constexpr int dotsPerInch = 144;
        const auto pages = lw::test::pagesOfPdf(marked(), dotsPerInch, m_home.path());
        QCOMPARE(pages.size(), 2);
        const QList<QList<double>> folds{{0, 3.625, 7.3125, 11}, {0, 3.6875, 7.375, 11}};
        const double dotsPerPoint = dotsPerInch / kPoints;
        for (int page = 0; page < 2; ++page) {
            // 0.375 in outside the trim, in the marks' room.
            const double media = 2 * kAroundMarked + kTrimHeight;
            for (const double y :
                 {kAroundMarked - 0.375 * kPoints, media - kAroundMarked + 0.375 * kPoints}) {
                QList<double> inches;
                for (const double x : darkRuns(pages[page], y, dotsPerPoint))
                    inches << (x - kAroundMarked) / kPoints;
                QCOMPARE(inches.size(), folds[page].size());
                for (int i = 0; i < inches.size(); ++i)
                    QVERIFY2(std::abs(inches[i] - folds[page][i]) < 0.01,
                             qPrintable(QStringLiteral("page %1: a mark at %2 in, not %3 in")
                                            .arg(page + 1)
                                            .arg(inches[i])
                                            .arg(folds[page][i])));
            }
        }
    }

    // Below 300 ppi at its printed size a logo is warned of, below 150 the
    // print shop's PDF is refused; both name the logo's resolution.
    void coarseLogoWarnedOrRefused() {
        logo(QStringLiteral("coarse.png"), {200, 100});
        logo(QStringLiteral("soft.png"), {400, 200});
        const QString refused = path(QStringLiteral("refused.pdf"));
        QString errors;
        QCOMPARE(runOnSample({QStringLiteral("--output"), refused, QStringLiteral("--print-shop"),
                              QStringLiteral("--logo"), QStringLiteral("coarse.png")},
                             &errors),
                 1);
        QVERIFY2(errors.contains(QStringLiteral("105 ppi")) &&
                     errors.contains(QStringLiteral("at least 150 ppi")),
                 qPrintable(errors));
        QVERIFY(!QFileInfo::exists(refused));
        const QString soft = path(QStringLiteral("soft.pdf"));
        QCOMPARE(runOnSample({QStringLiteral("--output"), soft, QStringLiteral("--print-shop"),
                              QStringLiteral("--logo"), QStringLiteral("soft.png")},
                             &errors),
                 0);
        QVERIFY2(errors.contains(QStringLiteral("warning: The logo prints at 210 ppi")),
                 qPrintable(errors));
        QVERIFY(QFileInfo(soft).size() > 0);
        verifyNothingLeft();
    }

    void failedGhostscriptIsAFailure_data() {
        QTest::addColumn<QString>("options");
        QTest::addColumn<int>("exitStatus");
        // Each leaves a file that calls itself PDF/X.
        QTest::newRow("whole file, exits with 1") << QString() << 1;
        QTest::newRow("one page short, exits with 0") << QStringLiteral("-dLastPage=1") << 0;
    }

    // A Ghostscript that fails makes no PDF and leaves the file that was
    // there as it was.
    void failedGhostscriptIsAFailure() {
        QFETCH(QString, options);
        QFETCH(int, exitStatus);
        const QString bin = path(QStringLiteral("failing-gs"));
        QDir().mkpath(bin);
        const QString script = bin + QStringLiteral("/gs");
        QFile::remove(script);
        writeFile(script, QStringLiteral("#!/bin/sh\n/usr/bin/gs %1 \"$@\"\nexit %2\n")
                              .arg(options)
                              .arg(exitStatus)
                              .toUtf8());
        QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        m_pathBefore = bin;
        const QString target = path(QStringLiteral("kept.pdf"));
        writeFile(target, "last year's PDF");
        QString errors;
        QCOMPARE(runOnSample({QStringLiteral("--output"), target, QStringLiteral("--print-shop"),
                              QStringLiteral("--overwrite")},
                             &errors),
                 1);
        QVERIFY2(errors.contains(QStringLiteral("Ghostscript")), qPrintable(errors));
        QCOMPARE(readFile(target), QByteArray("last year's PDF"));
        QCOMPARE(
            QDir(m_home.path()).entryList({QStringLiteral(".kept*")}, QDir::Hidden | QDir::Files),
            QStringList());
        verifyNothingLeft();
    }
};

QTEST_GUILESS_MAIN(PrintShopPdfTest)
#include "tst_print_shop_pdf.moc"
