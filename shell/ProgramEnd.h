#pragma once

#include <functional>

namespace lw {

// Ends the program at once: every shutdown step runs (the engine's office
// process is stopped), then the process leaves without running further window
// events. Tests replace the final exit with a handler of their own.
[[noreturn]] void endProgram(int exitCode = 0);

// Work that must happen however the program ends, in the order added.
void addShutdownStep(std::function<void()> step);
// Runs the shutdown steps once; later calls do nothing.
void runShutdownSteps();

// Replaces the final exit, for tests. The handler must not return: it throws
// or jumps away (tests throw ProgramEnded).
void setProgramExitForTesting(std::function<void(int)> handler);

struct ProgramEnded {
    int exitCode;
};

} // namespace lw
