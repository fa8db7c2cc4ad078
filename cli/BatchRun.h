#pragma once

#include "cli/CommandLine.h"

namespace lw::cli {

// --batch: one brochure for each company of the list, in one warm office.
// Reports each rejected, failed or kept row on standard error with the
// list's name and line, shows progress there when it is a terminal, and
// ends with the summary line. Returns the exit status: 0 when every row was
// written, 1 otherwise, 130 when interrupted.
int runBatch(const Invocation& invocation);

} // namespace lw::cli
