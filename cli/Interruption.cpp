#include "cli/Interruption.h"

#include <csignal>
#include <initializer_list>

namespace lw::cli {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onSignal(int) {
    g_interrupted = 1;
}

} // namespace

void watchForInterruption() {
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // Calls in progress (the office's socket, file writes) carry on; the
    // flag is looked at between brochures.
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

bool interrupted() {
    return g_interrupted != 0;
}

} // namespace lw::cli
