#include "ui/HoverPointerRule.h"

#include "ui/WindowPointer.h"

#include <QMouseEvent>
#include <QWidget>

namespace lw {

void HoverPointerRule(WindowPointer& pointer, QObject* watched, const QEvent* event,
                      const QList<const QObject*>& buttons,
                      const QList<const QObject*>& backgrounds) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::Enter)
        return;
    if (buttons.contains(watched)) {
        pointer.hoverButton();
    } else if (type == QEvent::MouseMove && backgrounds.contains(watched)) {
        auto* widget = static_cast<QWidget*>(watched);
        const QPoint at = static_cast<const QMouseEvent*>(event)->position().toPoint();
        if (!widget->childAt(at))
            pointer.hoverBackground();
    }
}

} // namespace lw
