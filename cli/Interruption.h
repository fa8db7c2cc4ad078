#pragma once

namespace lw::cli {

// SIGINT, SIGTERM and SIGHUP while working without a window: each only
// raises a flag, and the work stops after the brochure in hand, cleaning up
// on its way out. Call once, before the work starts.
void watchForInterruption();
// True once such a signal came.
bool interrupted();
// The exit status of a run stopped that way.
inline constexpr int kInterruptedExitCode = 130;

} // namespace lw::cli
