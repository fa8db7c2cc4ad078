// The logo chosen in the windows, on the real engine: the brochure is made
// again at once with the logo on its cover (and a screen reader is told so),
// another logo replaces it, the choice is kept, a file that is no picture
// changes nothing, and Ctrl+Z in the main window takes the last choice back.
#include "brochure/LogoStore.h"
#include "tests/support/EngineRunFixture.h"
#include "tests/support/FakePrompts.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/LogoActions.h"
#include "ui/PictureBox.h"

#include <QPainter>
#include <QTest>

#include <cstdlib>

using namespace lw;

class LogoWindowTest : public QObject {
    Q_OBJECT
    test::EngineRunFixture fixture;

    // Pixels of a logo's colour on the top of the page picture's right
    // third: the cover.
    static int onCover(const QImage& page, QColor logo) {
        int count = 0;
        for (int y = 0; y < page.height() / 3; ++y)
            for (int x = page.width() * 2 / 3; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                count += std::abs(c.red() - logo.red()) < 30 &&
                         std::abs(c.green() - logo.green()) < 30 &&
                         std::abs(c.blue() - logo.blue()) < 30;
            }
        return count;
    }

    // A disc of one colour on a transparent background; empty when it could
    // not be saved.
    QString logoFile(const QString& name, QColor colour) {
        QImage logo(800, 400, QImage::Format_ARGB32);
        logo.fill(Qt::transparent);
        QPainter painter(&logo);
        painter.setBrush(colour);
        painter.drawEllipse(QRect(0, 0, 400, 400));
        painter.end();
        const QString file = fixture.home.path() + QLatin1Char('/') + name;
        return logo.save(file) ? file : QString();
    }

private slots:
    void initTestCase() { QCOMPARE(fixture.startEngine(), QString()); }
    void cleanupTestCase() { QVERIFY(fixture.stopEngine()); }

    void logoChosenShownKeptAndUndone() {
        fixture.reset();
        test::FakePrompts prompts;
        const auto window = test::EngineRunFixture::sampleWindow();
        Form1& form = *window;
        form.show();
        form.PushButton6_Click();
        Form2& preview = Form2::instance();
        const QColor amber(0xF0, 0xB4, 0x29), violet(0x80, 0x30, 0xC0);
        const int amberBefore = onCover(preview.Picture1()->picture(), amber);
        const int violetBefore = onCover(preview.Picture1()->picture(), violet);
        QVERIFY(!preview.Picture1()->accessibleDescription().contains(QStringLiteral("logo")));

        const QString amberFile = logoFile(QStringLiteral("logo.png"), amber);
        QVERIFY(!amberFile.isEmpty());
        useLogoFile(amberFile);
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join('\n')));
        QVERIFY(preview.isVisible());
        QVERIFY(!storedLogoPath().isEmpty());
        QVERIFY2(onCover(preview.Picture1()->picture(), amber) > amberBefore + 100,
                 "the page picture shows no logo");
        // A screen reader is told too.
        QVERIFY(preview.Picture1()->accessibleDescription().contains(
            QStringLiteral("The cover shows the company's logo")));
        const std::optional<StoredLogo> firstLogo = readStoredLogo();
        QVERIFY(firstLogo);

        // The same engine, another logo: the new one, not the last one read.
        const QString violetFile = logoFile(QStringLiteral("other.png"), violet);
        QVERIFY(!violetFile.isEmpty());
        useLogoFile(violetFile);
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join('\n')));
        QVERIFY2(onCover(preview.Picture1()->picture(), violet) > violetBefore + 100,
                 "the page picture shows no new logo");
        QVERIFY2(onCover(preview.Picture1()->picture(), amber) < amberBefore + 20,
                 "the page picture still shows the old logo");

        useLogoFile(fixture.home.path() + QStringLiteral("/missing.png"));
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.messages.first().contains(QStringLiteral("missing.png\" does not exist")));
        QVERIFY(!storedLogoPath().isEmpty());

        preview.PushButton8_Click();
        QVERIFY(form.canUndoDataCommand());
        form.undoDataCommand();
        const std::optional<StoredLogo> restored = readStoredLogo();
        QVERIFY(restored && restored->bytes == firstLogo->bytes);
    }
};

QTEST_MAIN(LogoWindowTest)
#include "tst_logo_window.moc"
