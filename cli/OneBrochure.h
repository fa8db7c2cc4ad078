#pragma once

#include "cli/CommandLine.h"

namespace lw::cli {

// --output: one brochure from the saved fields or a settings file, written
// as the file's ending says. Returns the exit status: 0 when it was
// written, 1 when not (the reason on standard error), 130 when interrupted.
int runOneBrochure(const Invocation& invocation);

} // namespace lw::cli
