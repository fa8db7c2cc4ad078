// The company's colours: every text of the design legible on what it stands
// on, whatever main colour and accent are picked, and the named schemes.
#include "brochure/ColourScheme.h"
#include "wordgen/TemplateColours.h"

#include <QTest>

using namespace lw;

class BrandColoursTest : public QObject {
    Q_OBJECT

    // The least contrast of any text of the design, and where it is.
    static std::pair<double, QString> leastTextContrast(const ColourChoice& choice) {
        const BrandColours colours = brandColours(choice);
        std::pair<double, QString> least{21.0, {}};
        for (const TemplatePart& part : templateParts())
            for (ColourRole ground : part.grounds)
                if (const double ratio = contrastRatio(colours[part.colour], colours[ground]);
                    ratio < least.first)
                    least = {ratio, QString::fromLatin1(part.name)};
        return least;
    }

private slots:
    void textIsLegibleOnPaleMidAndDarkColours() {
        // Pale, mid and dark colours, greys and saturated ones, as main colour
        // and as accent in every pairing, the same colour for both included.
        const QList<QRgb> grid{0xffffffff, 0xfff2e94e, 0xfffdf6e3, 0xffe0f7fa, 0xffffc0cb,
                               0xff808080, 0xffe0913a, 0xff3c8dbc, 0xffff0000, 0xff00ff00,
                               0xff7f7f00, 0xff000000, 0xff14505c, 0xff1f3a5f, 0xff8b1e3f,
                               0xff0000ff, 0xff777777, 0xff767676, 0xff595959};
        for (QRgb main : grid)
            for (QRgb accent : grid) {
                const auto [ratio, where] = leastTextContrast({QColor(main), QColor(accent)});
                QVERIFY2(ratio >= kMinimumTextContrast,
                         qPrintable(QStringLiteral("%1 on main %2, accent %3: %4:1")
                                        .arg(where, QColor(main).name(), QColor(accent).name())
                                        .arg(ratio, 0, 'f', 2)));
            }
        // The cover's name and tag line on a pale yellow cover, and on maroon.
        for (QRgb main : {0xfff2e94eu, 0xff8b1e3fu}) {
            const BrandColours colours = brandColours({QColor(main), QColor(kTemplateAccent)});
            qInfo("cover %s: name %s at %.2f:1, tag line %s at %.2f:1",
                  qPrintable(QColor(main).name()),
                  qPrintable(QColor(colours[ColourRole::OnMain]).name()),
                  contrastRatio(colours[ColourRole::OnMain], main),
                  qPrintable(QColor(colours[ColourRole::OnMainAccent]).name()),
                  contrastRatio(colours[ColourRole::OnMainAccent], main));
        }
        // The brochure's own colours are the template's, tuned by hand.
        const BrandColours own = brandColours(defaultColours());
        QCOMPARE(own[ColourRole::Main], kTemplateMain);
        QCOMPARE(own[ColourRole::OnMainAccent], QRgb(0xfff4b870));
        QVERIFY(leastTextContrast(defaultColours()).first >= kMinimumTextContrast);
    }

    void schemesAndColoursAsWritten() {
        QVERIFY(colourSchemes().size() >= 8);
        QVERIFY(colourSchemes().front().colours == defaultColours());
        for (const ColourScheme& scheme : colourSchemes()) {
            QVERIFY(schemeNamed(scheme.name) == scheme.colours);
            QCOMPARE(schemeNameOf(scheme.colours), scheme.name);
        }
        QVERIFY(schemeNamed(QStringLiteral(" teal-AMBER ")) == defaultColours());
        QVERIFY(!schemeNamed(QStringLiteral("Teal")));

        const QStringList colours{"#8B1E3F", "#8b1e3f"};
        for (const QString& text : colours)
            QCOMPARE(parseColour(text)->rgb(), QRgb(0xff8b1e3f));
        const QStringList notColours{"banana", "#12345", "#1234567", "8B1E3F", "#GGGGGG",
                                     "red",    "#123",   " #8B1E3F", ""};
        for (const QString& text : notColours)
            QVERIFY2(!parseColour(text), qPrintable(text));
        QCOMPARE(colourText(QColor(0x8b, 0x1e, 0x3f)), QStringLiteral("#8B1E3F"));
    }
};

QTEST_GUILESS_MAIN(BrandColoursTest)
#include "tst_brand_colours.moc"
