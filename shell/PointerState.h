#pragma once

namespace lw {

// A window's mouse-pointer state, as the code reads and writes it: the
// default pointer, the busy pointer of a generation run, and the window's
// custom pointer (the hand over buttons).
enum class PointerState { Default = 0, Busy = 11, Custom = 99 };

} // namespace lw
