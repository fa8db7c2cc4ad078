#include "ui/MainWindow.h"

#include <QPointer>
#include <QWidget>

namespace lw {
namespace {
QPointer<QWidget> g_mainWindow;
}

QWidget* mainWindow() {
    return g_mainWindow;
}
void setMainWindow(QWidget* window) {
    g_mainWindow = window;
}

} // namespace lw
