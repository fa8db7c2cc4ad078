#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace lw {

// What the print service knows of one printer, as far as a brochure cares.
struct PrinterFacts {
    QString name;
    bool twoSided = false;   // can print both sides, flipped on the short edge
    QByteArray defaultMedia; // the paper it holds, in the print service's words
};

// What the user asked for: which printer, how many, which of the two pages,
// and whether the printer itself turns the sheet.
struct PrintRequest {
    QString printer;
    int copies = 1;
    bool twoSided = true;
    bool longEdge = false; // flipped on the long edge, when the user says so
    int firstPage = 1;     // 1 and 2: both pages
    int lastPage = 2;
    QByteArray paper; // other paper than the printer's own, when chosen
};

using PrintOptions = QList<QPair<QByteArray, QByteArray>>;

// The print service's options for the brochure's PDF as it is: Letter
// paper, or the printer's own paper with the page scaled to fit and
// centred; both sides flipped on the short edge where the printer can, as
// a landscape sheet folded in three needs; copies and the pages chosen.
PrintOptions printOptions(const PrintRequest& request, const PrinterFacts& printer);

} // namespace lw
