#include "ui/FixedWindow.h"

#include "ui/Colours.h"
#include "ui/PushButtonStyle.h"
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace lw {

void setUpFixedWindow(QWidget* window, int clientWidthTwips, int clientHeightTwips) {
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint);
    window->setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));
    window->setFont(windowFont());
    setBackColour(window, kWhite);
    window->setMouseTracking(true);
    window->installEventFilter(window);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

} // namespace lw
