#pragma once

#include <QString>

namespace lw {

// "Save Results To Word File": asks for a name and copies the working
// document there, after asking before replacing an existing file. The
// working document stays, so it can be saved again under another name.
void saveResultsToWordFile(const QString& workingDocument);

} // namespace lw
