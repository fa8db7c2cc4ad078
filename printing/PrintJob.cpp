#include "printing/PrintJob.h"

namespace lw {

PrintOptions printOptions(const PrintRequest& request, const PrinterFacts& printer) {
    PrintOptions options;
    const auto add = [&options](const QByteArray& name, const QByteArray& value) {
        options.append(qMakePair(name, value));
    };
    const QByteArray paper = request.paper.isEmpty() ? printer.defaultMedia : request.paper;
    // US Letter, or paper nobody named, is the brochure's own.
    if (paper.isEmpty() || paper.toLower().contains("letter")) {
        add("media", "Letter");
    } else {
        // The page keeps its proportions on other paper, in the middle.
        add("media", paper);
        add("fit-to-page", "true");
        add("print-scaling", "fit");
    }
    const bool bothPages = request.firstPage <= 1 && request.lastPage >= 2;
    const bool twoSided = request.twoSided && printer.twoSided && bothPages;
    add("sides", !twoSided          ? QByteArray("one-sided")
                 : request.longEdge ? QByteArray("two-sided-long-edge")
                                    : QByteArray("two-sided-short-edge"));
    if (!bothPages)
        add("page-ranges",
            QByteArray::number(request.firstPage) +
                (request.lastPage > request.firstPage ? "-" + QByteArray::number(request.lastPage)
                                                      : QByteArray()));
    if (request.copies > 1) {
        add("copies", QByteArray::number(request.copies));
        // Whole brochures one after the other, not a pile of each page.
        add("multiple-document-handling", "separate-documents-collated-copies");
    }
    return options;
}

} // namespace lw
