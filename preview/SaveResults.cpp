#include "preview/SaveResults.h"

#include "brochure/BrochureProduct.h"
#include "preview/FileReplace.h"
#include "shell/Failure.h"
#include "shell/FileRoutines.h"
#include "shell/GuardedProcedure.h"
#include "shell/Prompts.h"

namespace lw {

namespace {

bool asksForPdf(const QString& target, int chosenFilter) {
    return chosenFilter == kPdfFilterIndex ||
           target.endsWith(QLatin1String(kPdfExtension), Qt::CaseInsensitive);
}

} // namespace

void saveResultsToWordFile(const QString& workingDocument, const PdfWriter& writePdf,
                           const PrintShopWriter& writePrintShop) {
    GuardedProcedure save(QStringLiteral("Form2"), QStringLiteral("PushButton6_Click"));
    QString fileName;
    QString title;
    QString filter;
    QString target;
    save.step(100, [&] { fileName.clear(); });
    save.step(102, [&] { title = QString::fromLatin1(kSaveDialogTitle); });
    save.step(104, [&] { filter = QString::fromLatin1(kSaveDialogFilter); });
    // The dialog asks no overwrite question and adds no extension: the name
    // is used exactly as typed.
    int chosenFilter = 0;
    save.step(106, [&] { fileName = prompts().saveFileName(title, filter, &chosenFilter); });
    save.step(108, [&] { target = fileName; });
    if (save.condition(110, [&] { return target.isEmpty(); }))
        return;
    bool replace = true;
    save.step(112, [&] {
        if (PathExists(target))
            replace = prompts().askYesNo(QStringLiteral("Are you sure you wish to overwrite ") +
                                         target + QStringLiteral(" ?"));
    });
    // An existing target is not deleted first: the copy or the PDF replaces
    // it in one rename, so a failure leaves the old file as it was.
    bool copied = false;
    QStringList warnings;
    save.step(114, [&] {
        if (!replace)
            return;
        const bool existed = PathExists(target);
        const bool forPrintShop =
            chosenFilter == kPrintShopFilterIndex || chosenFilter == kPrintShopMarksFilterIndex;
        try {
            if (forPrintShop && writePrintShop)
                warnings = writePrintShop(workingDocument, target,
                                          chosenFilter == kPrintShopMarksFilterIndex);
            else if (forPrintShop)
                throw Failure(QStringLiteral("Cannot write %1: PDF files for a print shop cannot "
                                             "be made here")
                                  .arg(target));
            else if (!asksForPdf(target, chosenFilter))
                copyFileReplacing(workingDocument, target);
            else if (writePdf)
                writePdf(workingDocument, target);
            else
                throw Failure(
                    QStringLiteral("Cannot write %1: PDF files cannot be made here").arg(target));
        } catch (const Failure& failure) {
            if (!existed)
                throw;
            throw Failure(failure.description() +
                          QStringLiteral("\r\nThe file that was there is unchanged."));
        }
        copied = true;
    });
    save.step(116, [&] {
        if (!copied)
            return;
        prompts().message(QStringLiteral("Done."));
        for (const QString& warning : std::as_const(warnings))
            prompts().message(warning);
    });
}

} // namespace lw
