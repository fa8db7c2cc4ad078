#include "ui/PushButtonStyle.h"

#include "ui/Colours.h"
#include "ui/Twips.h"

namespace lw {

QFont windowFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    font.setBold(true);
    return font;
}

QPushButton* makePushButton(QWidget* parent, const char* caption, int left, int top, int width,
                            int height) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setGeometry(twipsRect(left, top, width, height));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(11.25);
    font.setBold(true);
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, colourFromValue(kWhite));
    palette.setColor(QPalette::ButtonText, textColourOn(kWhite, kButtonText));
    button->setPalette(palette);
    button->setProperty("lwBackColour", kWhite);
    button->setMouseTracking(true);
    return button;
}

} // namespace lw
