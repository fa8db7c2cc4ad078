#include "cli/PrintBrochure.h"

#include "cli/BrochureWriter.h"
#include "cli/Interruption.h"
#include "cli/OneBrochure.h"
#include "cli/ProfileCommands.h"
#include "cli/Terminal.h"
#include "printing/PrintService.h"
#include "shell/FileRoutines.h"

#include "shell/InstanceRecord.h"

#include <QTemporaryDir>

namespace lw::cli {

int runPrintBrochure(const Invocation& invocation) {
    int status = 1;
    const std::optional<BrochureLook> look = brochureLook(invocation, &status);
    if (!look)
        return status;
    const auto fields = brochureFields(invocation.fieldsFile, look->profile);
    if (!fields)
        return 1;
    const QString& logo = look->logo;
    if (!logoCanBeUsed(logo))
        return 1;
    // The printer first: a missing one is told before the office starts.
    const PrinterLookup lookup = findPrinter(invocation.printer);
    if (!lookup.printer) {
        printError(lookup.problem);
        return 1;
    }
    if (const QString problem = startEngine(); !problem.isEmpty()) {
        printError(problem);
        return 1;
    }
    QTemporaryDir folder(temporaryFolder() + QStringLiteral("/print-XXXXXX"));
    if (!folder.isValid()) {
        printError(QStringLiteral("cannot make a working folder in %1: %2")
                       .arg(temporaryFolder(), folder.errorString()));
        return 1;
    }
    recordPathToMake(folder.path());
    const QString pdf = folder.filePath(QStringLiteral("brochure.pdf"));
    const BrochureWriter::Result made =
        BrochureWriter().write(*fields, {pdf}, true, logo, look->colours);
    if (!made.failure.isEmpty()) {
        printError(QStringLiteral("cannot make the brochure: ") + made.failure);
        return interrupted() ? kInterruptedExitCode : 1;
    }
    if (interrupted())
        return kInterruptedExitCode;
    PrintRequest request;
    request.printer = lookup.printer->name;
    request.copies = invocation.copies;
    const QString title = (*fields)[std::size_t(kTitleFieldIndex)];
    const PrintResult sent = sendToPrinter(
        pdf, title.isEmpty() ? QStringLiteral("Brochure") : title, request, *lookup.printer);
    if (sent.jobId == 0) {
        printError(sent.problem);
        return 1;
    }
    if (!lookup.printer->twoSided)
        printLine(QStringLiteral("%1 prints on one side only: both pages come out on their own "
                                 "sheets.")
                      .arg(request.printer));
    printOut(QStringLiteral("%1\n").arg(sent.jobId));
    return 0;
}

} // namespace lw::cli
