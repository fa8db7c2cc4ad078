#pragma once

#include <functional>

namespace lw {

// A scroll bar's state as the view sees it: Min is always 0, and a change of
// the value runs the bar's change handler, as the real control does.
class ScrollBarModel {
public:
    int value() const { return m_value; }
    int max() const { return m_max; }
    bool enabled() const { return m_enabled; }

    // Setting the value it already has runs no handler. A value outside
    // 0..Max is refused with "Invalid property value".
    void setValue(int value);
    // A smaller Max pulls the value down to it, which counts as a change.
    void setMax(int max);
    void setEnabled(bool enabled) { m_enabled = enabled; }

    void onChange(std::function<void()> handler) { m_onChange = std::move(handler); }

private:
    int m_value = 0;
    int m_max = 0;
    bool m_enabled = true;
    std::function<void()> m_onChange;
};

} // namespace lw
