#pragma once

namespace lw {

// Ends the program the orderly way (engine stopped, nothing left behind) when
// it is asked to terminate by SIGTERM, SIGINT or SIGHUP. Call once, after the
// application object exists.
void handleTerminationSignals();

} // namespace lw
