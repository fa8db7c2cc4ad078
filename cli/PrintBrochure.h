#pragma once

#include "cli/CommandLine.h"

namespace lw::cli {

// --print: the brochure of the saved fields (or a settings file) as one job
// on the default or named printer. Prints the job's number; returns 0 when
// the print service took the job, 1 when not (one line on standard error
// says why), 130 when interrupted.
int runPrintBrochure(const Invocation& invocation);

} // namespace lw::cli
