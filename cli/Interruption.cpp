#include "cli/Interruption.h"

#include "shell/TerminationSignals.h"

#include <csignal>

namespace lw::cli {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onSignal(int) {
    g_interrupted = 1;
}

} // namespace

void watchForInterruption() {
    // Calls in progress (the office's socket, file writes) carry on; the
    // flag is looked at between brochures.
    onTerminationSignals(onSignal);
}

bool interrupted() {
    return g_interrupted != 0;
}

} // namespace lw::cli
