// Both windows under the desktop's palettes, as drawn: every text readable
// on the background it is drawn on, and the names a screen reader speaks.
#include "brochure/BrochureProduct.h"
#include "shell/AppInfo.h"
#include "shell/ProgramEnd.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/TestHome.h"
#include "ui/Form1.h"
#include "ui/Form2.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace lw;

namespace {

double luminance(QRgb colour) {
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) +
           0.0722 * channel(qBlue(colour));
}

// The contrast ratio of two colours, 1 (alike) to 21 (black on white).
double contrast(QRgb a, QRgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Where a text is drawn in a picture: the ground is the area's most frequent
// colour, the ink its pixels farthest from it. Gives the ink's contrast, and
// how many pixels reach a readable one, so one stray pixel is not a text.
struct Legibility {
    double ratio = 1;
    int readablePixels = 0;
};

Legibility legibility(const QImage& picture, const QRect& area) {
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[picture.pixel(x, y) | 0xff000000];
    QRgb ground = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            ground = it.key();
        }
    Legibility result;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double ratio = contrast(it.key(), ground);
        result.ratio = std::max(result.ratio, ratio);
        if (ratio >= 4.5)
            result.readablePixels += it.value();
    }
    return result;
}

// The part of a widget its text is drawn in, without its frame.
QRect textArea(QWidget* widget) {
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        return frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                              QStyle::SC_GroupBoxLabel, frame);
    }
    if (qobject_cast<QLabel*>(widget))
        return widget->rect();
    return widget->rect().adjusted(4, 4, -4, -4);
}

QPalette darkPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x31, 0x36, 0x3b));
    palette.setColor(QPalette::WindowText, QColor(0xfc, 0xfc, 0xfc));
    palette.setColor(QPalette::Base, QColor(0x1b, 0x1e, 0x20));
    palette.setColor(QPalette::AlternateBase, QColor(0x23, 0x26, 0x29));
    palette.setColor(QPalette::Text, QColor(0xfc, 0xfc, 0xfc));
    palette.setColor(QPalette::Button, QColor(0x31, 0x36, 0x3b));
    palette.setColor(QPalette::ButtonText, QColor(0xfc, 0xfc, 0xfc));
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    palette.setColor(QPalette::HighlightedText, QColor(0xfc, 0xfc, 0xfc));
    palette.setColor(QPalette::Light, QColor(0x40, 0x45, 0x4a));
    palette.setColor(QPalette::Midlight, QColor(0x38, 0x3d, 0x42));
    palette.setColor(QPalette::Mid, QColor(0x25, 0x29, 0x2c));
    palette.setColor(QPalette::Dark, QColor(0x1a, 0x1d, 0x1f));
    palette.setColor(QPalette::Shadow, QColor(0x10, 0x12, 0x13));
    return palette;
}

QPalette highContrastPalette() {
    QPalette palette = darkPalette();
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::AlternateBase, QPalette::Button})
        palette.setColor(role, Qt::black);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::Light, QPalette::Midlight})
        palette.setColor(role, Qt::white);
    palette.setColor(QPalette::ButtonText, Qt::yellow);
    palette.setColor(QPalette::Highlight, Qt::cyan);
    palette.setColor(QPalette::HighlightedText, Qt::black);
    return palette;
}

QImage pagePicture() {
    QImage page(900, 700, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setFont(QFont(QStringLiteral("Arial"), 28, QFont::Bold));
    painter.drawText(page.rect(), Qt::AlignCenter, QStringLiteral("Tessaly"));
    return page;
}

} // namespace

class DesktopPaletteTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir programFolder;
    QPalette m_systemPalette;

    // Every text of a window measured where it is drawn; the measurements
    // are printed, so a change of colours can be judged by its numbers.
    void checkTexts(QWidget* window, const QString& palette) {
        const QImage picture = window->grab().toImage();
        const qreal scale = picture.devicePixelRatio();
        QList<QWidget*> texts;
        for (QWidget* widget : window->findChildren<QWidget*>())
            if (widget->isVisible() &&
                (qobject_cast<QLabel*>(widget) || qobject_cast<QGroupBox*>(widget) ||
                 qobject_cast<QPushButton*>(widget) || qobject_cast<QLineEdit*>(widget)))
                texts << widget;
        QVERIFY(texts.size() >= 5);
        QStringList unreadable;
        for (QWidget* widget : texts) {
            const QRect local = textArea(widget);
            const QRect area = QRectF(QPointF(widget->mapTo(window, local.topLeft())) * scale,
                                      QSizeF(local.size()) * scale)
                                   .toRect();
            const Legibility measured = legibility(picture, area.intersected(picture.rect()));
            qInfo("%s, %s %s: contrast %.2f:1", qPrintable(palette),
                  widget->metaObject()->className(), qPrintable(widget->objectName()),
                  measured.ratio);
            if (measured.ratio < 4.5 || measured.readablePixels < 10)
                unreadable << QStringLiteral("%1 %2 (%3:1)")
                                  .arg(widget->metaObject()->className(), widget->objectName())
                                  .arg(measured.ratio, 0, 'f', 2);
        }
        QVERIFY2(unreadable.isEmpty(), qPrintable(palette + QStringLiteral(": ") +
                                                  unreadable.join(QStringLiteral(", "))));
    }

    static void saveScreenshot(QWidget* window, const QString& name) {
        const QString shots = qEnvironmentVariable("LEAFWRIGHT_SCREENSHOTS");
        if (shots.isEmpty())
            return;
        QDir().mkpath(shots);
        window->grab().save(
            QStringLiteral("%1/%2%3.png")
                .arg(shots, name, qEnvironmentVariable("LEAFWRIGHT_SCREENSHOT_TAG")));
    }

private slots:
    void initTestCase() {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        m_systemPalette = QApplication::palette();
        setProgramFolderForTesting(programFolder.path());
        setProgramExitForTesting([](int code) { throw ProgramEnded{code}; });
    }
    void cleanup() { QApplication::setPalette(m_systemPalette); }

    void everyTextIsReadableUnderThePalette_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QApplication::style()->standardPalette();
        QTest::newRow("dark") << darkPalette();
        QTest::newRow("high contrast") << highContrastPalette();
    }
    void everyTextIsReadableUnderThePalette() {
        QFETCH(QPalette, palette);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        QApplication::setPalette(palette);
        test::FakePrompts prompts;
        home.reset();

        Form1 main;
        main.PushButton4_Click(); // every field holds text
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        // A selected text is drawn in the palette's own selection colours.
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        checkTexts(&main, name + QStringLiteral(" main window"));

        auto preview = std::make_unique<Form2>();
        preview->setPicture(pagePicture());
        preview->show();
        QVERIFY(QTest::qWaitForWindowExposed(preview.get()));
        checkTexts(preview.get(), name + QStringLiteral(" preview"));

        if (name == QStringLiteral("dark")) {
            saveScreenshot(&main, QStringLiteral("main-window-dark"));
            saveScreenshot(preview.get(), QStringLiteral("preview-window-dark"));
        }
        QVERIFY(prompts.errors.isEmpty());
    }

    // A screen reader names each field by its caption and each button by
    // what it says.
    void screenReadersHearCaptions() {
        test::FakePrompts prompts;
        Form1 main;
        const auto spoken = [](QWidget* widget) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            return accessible ? accessible->text(QAccessible::Name) : QString();
        };
        for (int label = 0; label < kFieldCount; ++label) {
            QLabel* caption = main.Label2(label);
            auto* field = qobject_cast<QLineEdit*>(caption->buddy());
            QVERIFY2(field, qPrintable(caption->text()));
            QCOMPARE(spoken(field), caption->text());
        }
        QCOMPARE(spoken(main.Text1(0)), QStringLiteral("Company Name:"));
        QCOMPARE(spoken(main.Text1(9)), QStringLiteral("Zip Code:"));
        QCOMPARE(spoken(main.Text1(7)), QStringLiteral("Tag Line:"));
        for (QPushButton* button : main.findChildren<QPushButton*>())
            QCOMPARE(spoken(button), button->text());

        Form2 preview;
        const QList<QPushButton*> buttons = preview.findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 4);
        for (QPushButton* button : buttons)
            QCOMPARE(spoken(button), button->text());
    }
};

QTEST_MAIN(DesktopPaletteTest)
#include "tst_desktop_palette.moc"
