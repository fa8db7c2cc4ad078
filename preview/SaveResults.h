#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace lw {

// Writes the working document as a PDF at target; throws a Failure.
using PdfWriter = std::function<void(const QString& workingDocument, const QString& target)>;
// Writes the working document as a PDF for a print shop at target, with crop
// and fold marks when asked; returns what the user should be warned of.
// Throws a Failure.
using PrintShopWriter =
    std::function<QStringList(const QString& workingDocument, const QString& target, bool marks)>;

// "Save Results To Word File": asks for a name and copies the working
// document there, after asking before replacing an existing file; with the
// PDF filter chosen, or a name ending in .pdf, writePdf makes a PDF there
// instead, and with a print shop's filter writePrintShop does. The working
// document stays, so it can be saved again under another name. A failure is
// reported and leaves an existing file as it was.
void saveResultsToWordFile(const QString& workingDocument, const PdfWriter& writePdf = {},
                           const PrintShopWriter& writePrintShop = {});

} // namespace lw
