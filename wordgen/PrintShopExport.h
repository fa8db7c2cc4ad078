#pragma once

#include "wordgen/PdfxConversion.h"
#include "wordgen/WordObjects.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace lw {

class OutputFile;

// The sheet a print shop's pages are laid out on, with or without marks.
word::PrintShopSheet printShopSheet(bool marks);
// The same pages as PDF boxes, in points.
PdfxPages printShopPdfPages(bool marks);

// What the coarsest picture's resolution at its printed size means for a
// print shop: nothing, a warning naming it, or the reason the PDF is refused.
struct ResolutionVerdict {
    QString warning;
    QString refusal;
};
ResolutionVerdict judgePictureResolution(std::optional<double> pixelsPerInch);
// The resolution a logo of this many pixels prints at on the cover; none for
// no picture.
std::optional<double> logoPixelsPerInch(const QSize& pixels);

// The brochure as a PDF for a print shop, made from the saved document, which
// is left as it was: every page on the print shop's sheet (bleed, and crop
// and fold marks when asked), then made PDF/X by Ghostscript. Returns the
// warnings the user should hear (a coarse logo); throws a Failure naming the
// reason when no PDF could be made or a print shop would refuse it.
QStringList writePrintShopPdf(const QString& document, OutputFile& file, const QString& title,
                              bool marks);

// The same to a target that is replaced whole or left as it was.
QStringList exportPrintShopPdf(const QString& document, const QString& target, const QString& title,
                               bool marks);

} // namespace lw
