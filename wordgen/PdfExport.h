#pragma once

#include <QString>

namespace lw {

// The brochure as a PDF for printing: the saved document is opened read-only
// in a session of its own, given the title, and exported whole (every page,
// every font embedded) to a new file beside target, which is then renamed
// over target. An existing target is thus replaced whole or left as it was,
// and a failure leaves no file behind. The document itself is not changed.
// Throws a Failure naming the reason.
void exportBrochurePdf(const QString& document, const QString& target, const QString& title);

// The export itself: writes the PDF at path, which must end in ".pdf" and
// which the caller owns (written in place, not through a temporary name).
void writeBrochurePdf(const QString& document, const QString& path, const QString& title);

} // namespace lw
