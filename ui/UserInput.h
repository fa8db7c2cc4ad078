#pragma once

#include <QEvent>

namespace lw {

// Events by which a person acts on a widget: pointer, keys, wheel, touch,
// pen, input method and context menu requests. Window, focus and paint
// events are not.
bool isUserInput(QEvent::Type type);

} // namespace lw
