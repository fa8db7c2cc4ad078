#pragma once

#include "shell/PointerState.h"

#include <QCursor>
#include <QPointer>
#include <QWidget>
#include <optional>

namespace lw {

// Holds a window's pointer state and shows the matching cursor. The hover
// rules ask it to change; a busy pointer is never replaced by them.
class WindowPointer {
public:
    explicit WindowPointer(QWidget* window) : m_window(window) {}

    PointerState state() const { return m_state; }
    void set(PointerState state);

    // The image state Custom shows; without one it shows the default pointer.
    void setCustomCursor(const std::optional<QCursor>& cursor);
    bool hasCustomCursor() const { return m_custom.has_value(); }

    // Over a button: the hand, unless busy.
    void hoverButton();
    // Over the window's background or a frame: the default pointer, unless busy.
    void hoverBackground();

private:
    void apply();

    QPointer<QWidget> m_window;
    PointerState m_state = PointerState::Default;
    std::optional<QCursor> m_custom;
};

} // namespace lw
