#pragma once

namespace lw {

// Ends the program the orderly way (engine stopped, nothing left behind) when
// it is asked to terminate by SIGTERM, SIGINT or SIGHUP. Call once, after the
// application object exists.
void handleTerminationSignals();

// Installs a handler of one's own for those same signals, restarting the
// calls they interrupt. The handler may only do what a signal handler may.
void onTerminationSignals(void (*handler)(int));

} // namespace lw
