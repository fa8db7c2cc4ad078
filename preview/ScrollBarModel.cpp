#include "preview/ScrollBarModel.h"

#include "shell/Failure.h"

namespace lw {

void ScrollBarModel::setValue(int value) {
    if (value < 0 || value > m_max)
        throw Failure(QStringLiteral("Invalid property value"));
    if (value == m_value)
        return;
    m_value = value;
    if (m_onChange)
        m_onChange();
}

void ScrollBarModel::setMax(int max) {
    if (max < 0)
        throw Failure(QStringLiteral("Invalid property value"));
    m_max = max;
    if (m_value > max) {
        m_value = max;
        if (m_onChange)
            m_onChange();
    }
}

} // namespace lw
