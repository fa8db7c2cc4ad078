#pragma once

// What the colour and profile commands of both windows share.

#include <QKeySequence>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QObject;

namespace lw {

class Form1;

// The main window when it can take a command: none while it makes a
// brochure.
Form1* idleMainForm();

// A menu item with its tooltip and shortcut that runs action, for as long as
// context lives.
QAction* addMenuCommand(QMenu& menu, const QString& caption, const QString& tip,
                        const QKeySequence& key, bool enabled, QObject* context,
                        const std::function<void()>& action);

} // namespace lw
