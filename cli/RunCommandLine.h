#pragma once

#include "cli/CommandLine.h"

namespace lw::cli {

// Does what the command line asked for, other than opening the windows, and
// returns the exit status: the usage or the version, a bad invocation (a
// one-line reason and the usage on standard error, 2), or brochures made
// without a window.
int runCommandLine(const Invocation& invocation);

// Call before the application object is made for work without a window: no
// display is used, and Qt's remark that the session has no runtime folder
// (as under cron or ssh) is not passed on to the user.
void prepareForWorkWithoutWindow();

} // namespace lw::cli
