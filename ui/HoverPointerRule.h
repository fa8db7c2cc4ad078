#pragma once

#include <QList>

class QEvent;
class QObject;

namespace lw {

class WindowPointer;

// The pointer follows the mouse: over a button the hand, over the bare window
// background or a frame the default pointer, never replacing a busy pointer.
// A move that reaches a background by propagation from one of its controls
// belongs to that control, which has no rule of its own.
void HoverPointerRule(WindowPointer& pointer, QObject* watched, const QEvent* event,
                      const QList<const QObject*>& buttons,
                      const QList<const QObject*>& backgrounds);

} // namespace lw
