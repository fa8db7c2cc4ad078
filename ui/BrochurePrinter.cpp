#include "ui/BrochurePrinter.h"

#include "printing/PrintService.h"
#include "shell/Failure.h"
#include "shell/FileRoutines.h"
#include "shell/Prompts.h"
#include "wordgen/PdfExport.h"

#include "shell/InstanceRecord.h"
#include <QApplication>
#include <QComboBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace lw {
namespace {

constexpr int kBrochurePages = 2;

// The busy pointer while the office writes the PDF.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

QString turnOverText() {
    return QStringLiteral(
        "This printer prints on one side only, so page 2 is printed by hand.\n\n"
        "Page 1 is printing now. When it has come out, turn the printed sheet over along its "
        "short edge and put it back into the paper tray, blank side where the printer prints.\n\n"
        "Then press OK to print page 2.");
}

} // namespace

BrochurePrinter::BrochurePrinter(QWidget* window) : QObject(window), m_window(window) {}

BrochurePrinter::~BrochurePrinter() = default;

void BrochurePrinter::presetPrinter(QPrinter& printer, const QString& title) {
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDuplex(QPrinter::DuplexShortSide);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(1, kBrochurePages);
    printer.setCopyCount(1);
    printer.setDocName(title);
}

void BrochurePrinter::keepLetterPaper(QPrintDialog& dialog) {
    // On OK the dialog gives the printer the paper the print service names
    // as that printer's default, over the Letter it was preset to, unless
    // the user chose paper in its Properties. So Letter is chosen again
    // there when they open, and after OK when they were never opened.
    auto* chosenByUser = new bool(false);
    connect(&dialog, &QObject::destroyed, [chosenByUser] { delete chosenByUser; });
    const auto chooseLetterInProperties = [&dialog] {
        for (QComboBox* sizes : dialog.findChildren<QComboBox*>(QStringLiteral("pageSizeCombo")))
            for (int i = 0; i < sizes->count(); ++i)
                if (sizes->itemData(i).value<QPageSize>().id() == QPageSize::Letter ||
                    sizes->itemText(i) == QPageSize(QPageSize::Letter).name()) {
                    sizes->setCurrentIndex(i);
                    break;
                }
    };
    for (QPushButton* properties : dialog.findChildren<QPushButton*>(QStringLiteral("properties")))
        connect(properties, &QPushButton::pressed, &dialog,
                [chosenByUser, chooseLetterInProperties] {
                    // Once they are open: the click shows them modally.
                    if (!*chosenByUser)
                        QTimer::singleShot(0, chooseLetterInProperties);
                    *chosenByUser = true;
                });
    connect(&dialog, &QDialog::accepted, &dialog, [&dialog, chosenByUser] {
        QPrinter* printer = dialog.printer();
        if (*chosenByUser || printer->outputFormat() != QPrinter::NativeFormat)
            return;
        const QList<QPageSize> sizes = QPrinterInfo(*printer).supportedPageSizes();
        if (std::any_of(sizes.begin(), sizes.end(),
                        [](const QPageSize& size) { return size.id() == QPageSize::Letter; }))
            printer->setPageSize(QPageSize(QPageSize::Letter));
    });
}

PrintRequest BrochurePrinter::requestFrom(const QPrinter& printer) {
    PrintRequest request;
    request.printer = printer.printerName();
    request.copies = std::max(1, printer.copyCount());
    request.twoSided = printer.duplex() != QPrinter::DuplexNone;
    request.longEdge = printer.duplex() == QPrinter::DuplexLongSide;
    // Paper other than the preset Letter, when the user chose it.
    const QPageSize paper = printer.pageLayout().pageSize();
    if (paper.id() != QPageSize::Letter)
        request.paper = paper.key().toUtf8();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        request.firstPage = std::clamp(printer.fromPage(), 1, kBrochurePages);
        request.lastPage = std::clamp(printer.toPage(), request.firstPage, kBrochurePages);
    }
    return request;
}

void BrochurePrinter::print(const QString& workingDocument, const QString& title) {
    if (m_busy || workingDocument.isEmpty())
        return;
    // Without a printer the dialog could only write a file, which Save
    // does: say why there is none and what to do instead.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        const PrinterLookup lookup = findPrinter({});
        if (!lookup.printer) {
            prompts().warning(lookup.problem);
            return;
        }
    }
    QPrinter printer(QPrinter::HighResolution);
    presetPrinter(printer, title);
    QPrintDialog dialog(&printer, m_window);
    keepLetterPaper(dialog);
    dialog.setMinMax(1, kBrochurePages);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_request = requestFrom(printer);
    m_title = title.isEmpty() ? QStringLiteral("Brochure") : title;
    try {
        BusyPointer busy;
        // "Print to File" is the PDF itself, as saving it would write.
        if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
            exportBrochurePdf(workingDocument, printer.outputFileName(), m_title);
            emit finished(true);
            return;
        }
        m_folder =
            std::make_unique<QTemporaryDir>(temporaryFolder() + QStringLiteral("/print-XXXXXX"));
        if (!m_folder->isValid())
            throw Failure(QStringLiteral("Cannot make a working folder in %1: %2")
                              .arg(temporaryFolder(), m_folder->errorString()));
        recordPathToMake(m_folder->path());
        m_pdf = m_folder->filePath(QStringLiteral("brochure.pdf"));
        exportBrochurePdf(workingDocument, m_pdf, m_title);
    } catch (const Failure& failure) {
        m_folder.reset();
        prompts().applicationError(failure.description());
        emit finished(false);
        return;
    }
    m_busy = true;
    const QString pdf = m_pdf;
    const QString jobTitle = m_title;
    const PrintRequest request = m_request;
    sendInBackground([pdf, jobTitle, request] {
        Outcome outcome;
        const PrinterLookup lookup = findPrinter(request.printer);
        if (!lookup.printer) {
            outcome.problem = lookup.problem;
            return outcome;
        }
        outcome.printer = *lookup.printer;
        PrintRequest first = request;
        // Both pages on a printer that cannot print both sides (the dialog
        // then offers no two-sided choice at all): page 1 alone first.
        outcome.secondPageLeft = !outcome.printer.twoSided && request.firstPage == 1 &&
                                 request.lastPage == kBrochurePages;
        if (outcome.secondPageLeft)
            first.lastPage = 1;
        const PrintResult result = sendToPrinter(pdf, jobTitle, first, outcome.printer);
        outcome.jobId = result.jobId;
        outcome.problem = result.problem;
        return outcome;
    });
}

void BrochurePrinter::sendInBackground(const std::function<Outcome()>& work) {
    auto outcome = std::make_shared<Outcome>();
    QThread* thread = QThread::create([work, outcome] { *outcome = work(); });
    connect(thread, &QThread::finished, this, [this, thread, outcome] {
        thread->deleteLater();
        sent(*outcome);
    });
    thread->start();
}

void BrochurePrinter::sent(const Outcome& outcome) {
    if (!outcome.problem.isEmpty()) {
        prompts().warning(outcome.problem);
        done(false);
        return;
    }
    if (!outcome.secondPageLeft) {
        done(true);
        return;
    }
    prompts().message(turnOverText());
    PrintRequest second = m_request;
    second.firstPage = second.lastPage = kBrochurePages;
    const QString pdf = m_pdf;
    const QString jobTitle = m_title;
    const PrinterFacts printer = outcome.printer;
    sendInBackground([pdf, jobTitle, second, printer] {
        Outcome last;
        const PrintResult result = sendToPrinter(pdf, jobTitle, second, printer);
        last.jobId = result.jobId;
        last.problem = result.problem;
        return last;
    });
}

void BrochurePrinter::done(bool printed) {
    m_busy = false;
    m_folder.reset();
    emit finished(printed);
}

} // namespace lw
