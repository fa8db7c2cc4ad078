#pragma once

class QWidget;

namespace lw {

// The program's main window, for the windows that hand control back to it.
QWidget* mainWindow();
void setMainWindow(QWidget* window);

} // namespace lw
