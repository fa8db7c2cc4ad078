#include "ui/WindowPointer.h"

namespace lw {

void WindowPointer::set(PointerState state) {
    m_state = state;
    apply();
}

void WindowPointer::setCustomCursor(const std::optional<QCursor>& cursor) {
    m_custom = cursor;
    apply();
}

void WindowPointer::hoverButton() {
    if (m_state != PointerState::Busy)
        set(PointerState::Custom);
}

void WindowPointer::hoverBackground() {
    if (m_state != PointerState::Busy)
        set(PointerState::Default);
}

void WindowPointer::apply() {
    if (!m_window)
        return;
    switch (m_state) {
    case PointerState::Default:
        m_window->unsetCursor();
        break;
    case PointerState::Busy:
        m_window->setCursor(Qt::WaitCursor);
        break;
    case PointerState::Custom:
        if (m_custom)
            m_window->setCursor(*m_custom);
        else
            m_window->unsetCursor();
        break;
    }
}

} // namespace lw
