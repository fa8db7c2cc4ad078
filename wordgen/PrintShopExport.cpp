#include "wordgen/PrintShopExport.h"

#include "brochure/LogoPicture.h"
#include "brochure/PrintShopSheet.h"
#include "shell/FileRoutines.h"
#include "shell/OutputFile.h"
#include "wordgen/ObjectRegistry.h"
#include "wordgen/WorkingFiles.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>

namespace lw {
namespace {

constexpr double kPointsPerInch = 72;

// A name of our own in the working folder for the office's PDF on its way
// to Ghostscript, taken by making the file.
QString reserveIntermediatePdf() {
    const QString path =
        saveNewWorkingFile(QStringLiteral("print-shop"), QStringLiteral("pdf"), QByteArray());
    if (path.isEmpty())
        throw Failure(QStringLiteral("Cannot make a working file for the print shop's PDF"));
    return path;
}

} // namespace

word::PrintShopSheet printShopSheet(bool marks) {
    word::PrintShopSheet sheet;
    sheet.bleed = kBleedInches;
    if (marks) {
        sheet.markRoom = kMarkRoomInches;
        sheet.markGap = kMarkGapInches;
        sheet.markLength = kMarkLengthInches;
    }
    // What the template puts on its safe margin reaches the trim; a little
    // more for the office's rounding.
    sheet.reachesTrim = kTemplateSafeMarginInches + 0.01;
    for (const auto& folds : kFoldInches)
        sheet.folds.emplace_back(folds.begin(), folds.end());
    return sheet;
}

PdfxPages printShopPdfPages(bool marks) {
    const word::PrintShopSheet sheet = printShopSheet(marks);
    const double around = (sheet.bleed + sheet.markRoom) * kPointsPerInch;
    const double width = kTrimWidthInches * kPointsPerInch;
    const double height = kTrimHeightInches * kPointsPerInch;
    const double bleed = sheet.bleed * kPointsPerInch;
    PdfxPages pages;
    pages.count = int(sheet.folds.size());
    pages.media = {width + 2 * around, height + 2 * around};
    pages.trim = {around, around, width, height};
    pages.bleed = pages.trim.adjusted(-bleed, -bleed, bleed, bleed);
    return pages;
}

ResolutionVerdict judgePictureResolution(std::optional<double> pixelsPerInch) {
    if (!pixelsPerInch || *pixelsPerInch >= kLogoPpi)
        return {};
    // Rounded down: a logo is never said to be finer than it is.
    const int ppi = int(std::floor(*pixelsPerInch));
    if (*pixelsPerInch < kPrintShopLeastPpi)
        return {{},
                QStringLiteral("The logo prints at %1 ppi on the cover; a print shop needs at "
                               "least %2 ppi (%3 is best): choose a larger picture of the logo")
                    .arg(ppi)
                    .arg(kPrintShopLeastPpi)
                    .arg(kLogoPpi)};
    return {QStringLiteral("The logo prints at %1 ppi on the cover; print shops ask for %2 ppi, "
                           "so it may print soft: a larger picture of the logo prints sharper")
                .arg(ppi)
                .arg(kLogoPpi),
            {}};
}

std::optional<double> logoPixelsPerInch(const QSize& pixels) {
    const QRectF printed = logoPlacement(pixels);
    if (pixels.isEmpty() || printed.isEmpty())
        return std::nullopt;
    return std::min(pixels.width() / printed.width(), pixels.height() / printed.height());
}

QStringList writePrintShopPdf(const QString& document, OutputFile& file, const QString& title,
                              bool marks) {
    using namespace word;
    const QString intermediate = reserveIntermediatePdf();
    const auto removeIntermediate = qScopeGuard([&] { DeleteFileQuietly(intermediate); });

    Ref<WordApplication> W = CreateObject(QString::fromLatin1(kWordApplicationClass));
    auto quitSession = qScopeGuard([&] {
        try {
            W->quit();
        } catch (...) {
        }
    });
    const Ref<WordDocument> D = W->Documents()->Open(document, true);
    const PrintShopPages pages = D->ExportPrintShopPdf(intermediate, printShopSheet(marks));
    D->Close(kDoNotSaveChanges);
    quitSession.dismiss();
    W->quit();

    const ResolutionVerdict verdict = judgePictureResolution(pages.lowestPicturePpi);
    if (!verdict.refusal.isEmpty())
        throw Failure(verdict.refusal);
    try {
        convertToPdfx(intermediate, file.partPath(), printShopPdfPages(marks), title);
    } catch (const Failure& failure) {
        // The hidden file is ours, not the user's: the message names the
        // file the user asked for.
        QString description = failure.description();
        description.replace(file.partPath(), file.target());
        throw Failure(QStringLiteral("Cannot write %1: %2").arg(file.target(), description));
    }
    return verdict.warning.isEmpty() ? QStringList() : QStringList{verdict.warning};
}

QStringList exportPrintShopPdf(const QString& document, const QString& target, const QString& title,
                               bool marks) {
    OutputFile part(target);
    const QStringList warnings = writePrintShopPdf(document, part, title, marks);
    part.publish(true);
    return warnings;
}

} // namespace lw
