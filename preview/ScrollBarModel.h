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
    void setEnabled(bool enabled);

    // The control's change handler: runs when the value changes.
    void onChange(std::function<void()> handler) { m_onChange = std::move(handler); }
    // Runs when Max or the enabled state changed and the value did not (a
    // new value runs the change handler instead): with both, whoever shows
    // the bar hears of each change once.
    void onOtherChange(std::function<void()> observer) { m_onOtherChange = std::move(observer); }

private:
    void valueChanged();
    void otherChanged();

    int m_value = 0;
    int m_max = 0;
    bool m_enabled = true;
    std::function<void()> m_onChange;
    std::function<void()> m_onOtherChange;
};

} // namespace lw
