#pragma once

#include <functional>

namespace lw {

// Ends the program at once: every shutdown step runs (the engine's office
// process is stopped), then the process leaves without running further window
// events.
[[noreturn]] void endProgram(int exitCode = 0);

// Work that must happen however the program ends, in the order added.
void addShutdownStep(std::function<void()> step);
// Runs the shutdown steps once; later calls do nothing.
void runShutdownSteps();

// For tests: endProgram then calls the handler instead of running the
// shutdown steps and leaving, and throws ProgramEnded after it, so nothing
// after the call runs. A handler may run the shutdown steps itself.
void setProgramExitForTesting(std::function<void(int)> handler);

struct ProgramEnded {
    int exitCode;
};

} // namespace lw
