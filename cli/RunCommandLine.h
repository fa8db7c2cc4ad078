#pragma once

#include "cli/CommandLine.h"

namespace lw::cli {

// Does what the command line asked for, other than opening the windows, and
// returns the exit status: the usage or the version, a bad invocation (a
// one-line reason and the usage on standard error, 2), or brochures made
// without a window.
int runCommandLine(const Invocation& invocation);

} // namespace lw::cli
