#pragma once

#include <QString>

namespace lw {

class OutputFile;

// The brochure as a PDF for printing: the saved document is opened read-only
// in a session of its own, given the title, and exported whole (every page,
// every font embedded) to a new file beside target, which is then renamed
// over target. An existing target is thus replaced whole or left as it was,
// and a failure leaves no file behind. The document itself is not changed.
// Throws a Failure naming the reason.
void exportBrochurePdf(const QString& document, const QString& target, const QString& title);

// The export itself, into a file on its way to a target ending in ".pdf";
// the caller publishes it. Throws a Failure naming the target when the
// engine wrote nothing.
void writeBrochurePdf(const QString& document, OutputFile& file, const QString& title);

} // namespace lw
