#include "ui/LookCommands.h"

#include "ui/Form1.h"
#include "ui/MainWindow.h"

#include <QMenu>

namespace lw {

Form1* idleMainForm() {
    auto* form = qobject_cast<Form1*>(mainWindow());
    return form && !form->mBusy ? form : nullptr;
}

QAction* addMenuCommand(QMenu& menu, const QString& caption, const QString& tip,
                        const QKeySequence& key, bool enabled, QObject* context,
                        const std::function<void()>& action) {
    QAction* item = menu.addAction(caption);
    item->setToolTip(tip);
    item->setShortcut(key);
    item->setEnabled(enabled);
    QObject::connect(item, &QAction::triggered, context, action);
    return item;
}

} // namespace lw
