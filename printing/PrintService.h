#pragma once

#include "printing/PrintJob.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lw {

// The system's print service (CUPS), reached where CUPS_SERVER or the
// client configuration says. Every call connects on its own, so any thread
// may make it; none shows anything.

struct PrinterLookup {
    std::optional<PrinterFacts> printer;
    QString problem; // in plain words, with what to do, when no printer
};

// The printer named, or the default one for an empty name, when it is
// there and takes jobs.
PrinterLookup findPrinter(const QString& name);

struct PrintResult {
    int jobId = 0;   // the print service's number for the job
    QString problem; // when it was not taken
};

// Sends the PDF file as it is, as one job, with the options the request
// and the printer call for.
PrintResult sendToPrinter(const QString& pdfFile, const QString& title, const PrintRequest& request,
                          const PrinterFacts& printer);

} // namespace lw
