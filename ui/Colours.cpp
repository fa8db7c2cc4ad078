#include "ui/Colours.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QRadioButton>
#include <QWidget>

namespace lw {
namespace {
constexpr auto kBackColourProperty = "lwBackColour";

QColor systemColour(quint32 index) {
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 0x05:
        return palette.color(QPalette::Base);
    case 0x08:
        return palette.color(QPalette::WindowText);
    case 0x0F:
        return palette.color(QPalette::Button);
    case 0x12:
        return palette.color(QPalette::ButtonText);
    default:
        return palette.color(QPalette::Window);
    }
}

bool isSystemColour(quint32 value) {
    return value & 0x80000000u;
}

// Window text and button text of the light palette the fixed colours go
// with are both black.
QColor lightPaletteText() {
    return QColor(0x00, 0x00, 0x00);
}
} // namespace

QColor colourFromValue(quint32 value) {
    if (isSystemColour(value))
        return systemColour(value & 0xFFu);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QColor textColourOn(quint32 background, quint32 text) {
    if (isSystemColour(text) && !isSystemColour(background))
        return lightPaletteText();
    return colourFromValue(text);
}

void setBackColour(QWidget* widget, quint32 value) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colourFromValue(value));
    palette.setColor(QPalette::WindowText, textColourOn(value, kWindowText));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    widget->setProperty(kBackColourProperty, value);
}

quint32 backColour(const QWidget* widget) {
    return widget->property(kBackColourProperty).toUInt();
}

void ApplyFaceColour(QWidget* window) {
    applyFaceColourTo(window, false);
}

void applyFaceColourTo(QWidget* window, bool includingPictureBoxes) {
    setBackColour(window, kButtonFace);
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (qobject_cast<QRadioButton*>(child) || qobject_cast<QCheckBox*>(child) ||
            qobject_cast<QGroupBox*>(child) || qobject_cast<QLabel*>(child) ||
            (includingPictureBoxes && child->property("lwPictureBox").toBool()))
            setBackColour(child, kButtonFace);
    }
}

} // namespace lw
