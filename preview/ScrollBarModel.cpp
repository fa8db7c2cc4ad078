#include "preview/ScrollBarModel.h"

#include "shell/Failure.h"

namespace lw {

void ScrollBarModel::setValue(int value) {
    if (value < 0 || value > m_max)
        throw Failure(QStringLiteral("Invalid property value"));
    if (value == m_value)
        return;
    m_value = value;
    valueChanged();
}

void ScrollBarModel::setMax(int max) {
    if (max < 0)
        throw Failure(QStringLiteral("Invalid property value"));
    if (max == m_max)
        return;
    m_max = max;
    if (m_value > max) {
        m_value = max;
        valueChanged();
    } else {
        otherChanged();
    }
}

void ScrollBarModel::setEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    otherChanged();
}

void ScrollBarModel::valueChanged() {
    if (m_onChange)
        m_onChange();
}

void ScrollBarModel::otherChanged() {
    if (m_onOtherChange)
        m_onOtherChange();
}

} // namespace lw
