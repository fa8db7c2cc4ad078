// The logo chosen in the windows, on the real engine: the brochure is made
// again at once with the logo on its cover, the choice is kept, a file that
// is no picture changes nothing, and Ctrl+Z in the main window takes it back.
#include "brochure/LogoStore.h"
#include "tests/support/EngineRunFixture.h"
#include "tests/support/FakePrompts.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/LogoActions.h"
#include "ui/PictureBox.h"

#include <QPainter>
#include <QTest>

using namespace lw;

class LogoWindowTest : public QObject {
    Q_OBJECT
    test::EngineRunFixture fixture;

    // Amber pixels on the right third of the page picture: the cover.
    static int amberOnCover(const QImage& page) {
        int amber = 0;
        for (int y = 0; y < page.height() / 3; ++y)
            for (int x = page.width() * 2 / 3; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                amber += c.red() > 200 && c.green() > 150 && c.green() < 200 && c.blue() < 80;
            }
        return amber;
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
        const int amberBefore = amberOnCover(preview.Picture1()->picture());

        QImage logo(800, 400, QImage::Format_ARGB32);
        logo.fill(Qt::transparent);
        QPainter painter(&logo);
        painter.setBrush(QColor(0xF0, 0xB4, 0x29));
        painter.drawEllipse(QRect(0, 0, 400, 400));
        painter.end();
        const QString file = fixture.home.path() + QStringLiteral("/logo.png");
        QVERIFY(logo.save(file));
        useLogoFile(file);
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join('\n')));
        QVERIFY(preview.isVisible());
        QVERIFY(!storedLogoPath().isEmpty());
        QVERIFY2(amberOnCover(preview.Picture1()->picture()) > amberBefore + 100,
                 "the page picture shows no logo");

        useLogoFile(fixture.home.path() + QStringLiteral("/missing.png"));
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.messages.first().contains(QStringLiteral("missing.png\" does not exist")));
        QVERIFY(!storedLogoPath().isEmpty());

        preview.PushButton8_Click();
        QVERIFY(form.canUndoDataCommand());
        form.undoDataCommand();
        QVERIFY(storedLogoPath().isEmpty());
    }
};

QTEST_MAIN(LogoWindowTest)
#include "tst_logo_window.moc"
