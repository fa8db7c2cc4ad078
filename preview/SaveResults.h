#pragma once

#include <QString>

#include <functional>

namespace lw {

// Writes the working document as a PDF at target; throws a Failure.
using PdfWriter = std::function<void(const QString& workingDocument, const QString& target)>;

// "Save Results To Word File": asks for a name and copies the working
// document there, after asking before replacing an existing file; with the
// PDF filter chosen, or a name ending in .pdf, writePdf makes a PDF there
// instead. The working document stays, so it can be saved again under
// another name. A failure is reported and leaves an existing file as it was.
void saveResultsToWordFile(const QString& workingDocument, const PdfWriter& writePdf = {});

} // namespace lw
