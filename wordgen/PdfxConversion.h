#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

namespace lw {

// What the pages of a print shop's PDF are, in points (1/72 in) from the
// page's bottom left corner, as PDF boxes are given.
struct PdfxPages {
    int count = 0;
    QSizeF media;
    QRectF trim, bleed;
};

// Makes a PDF/X-3 file of a PDF with Ghostscript: colours converted to CMYK
// for print with an output intent, every font embedded, and each page given
// its TrimBox and BleedBox. A run that fails, or whose file does not have the
// pages asked for, throws a Failure with the reason (a failed run can still
// leave a small file that calls itself PDF/X: output is then to be dropped).
void convertToPdfx(const QString& input, const QString& output, const PdfxPages& pages,
                   const QString& title);

} // namespace lw
