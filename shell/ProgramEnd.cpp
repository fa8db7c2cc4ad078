#include "shell/ProgramEnd.h"

#include <cstdio>
#include <unistd.h>
#include <vector>

namespace lw {
namespace {
std::vector<std::function<void()>>& steps() {
    static std::vector<std::function<void()>> list;
    return list;
}
std::function<void(int)>& exitHandler() {
    static std::function<void(int)> handler;
    return handler;
}
bool g_shutdownDone = false;
} // namespace

void addShutdownStep(std::function<void()> step) {
    steps().push_back(std::move(step));
}

void runShutdownSteps() {
    if (g_shutdownDone)
        return;
    g_shutdownDone = true;
    for (auto& step : steps()) {
        try {
            step();
        } catch (...) {
        }
    }
}

void setProgramExitForTesting(std::function<void(int)> handler) {
    exitHandler() = std::move(handler);
    g_shutdownDone = false;
}

void endProgram(int exitCode) {
    if (exitHandler()) {
        exitHandler()(exitCode);
        throw ProgramEnded{exitCode};
    }
    runShutdownSteps();
    std::fflush(nullptr);
    // No destructors, no more window events: the settings are already on disk.
    ::_exit(exitCode);
}

} // namespace lw
