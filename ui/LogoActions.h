#pragma once

#include <QObject>
#include <QString>

class QMenu;
class QWidget;

namespace lw {

class Form1;

// The company's logo as the windows offer it: "Logo…" and "No Logo" in the
// preview picture's menu, and a picture file dropped on either window. Each
// change is kept for later runs, can be undone with Ctrl+Z in the main
// window, and makes the brochure again so the preview shows it.

// The main window that keeps the logo and makes the brochure.
void setLogoWindow(Form1* window);
void addLogoActions(QMenu& menu, QWidget* parent);
// Takes a picture file as the logo; a file that cannot be used is told,
// naming it, and nothing changes.
void useLogoFile(const QString& path);

// Lets a window take a picture file dropped on it as the logo.
class LogoDrop : public QObject {
public:
    static void acceptOn(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace lw
