#pragma once

#include "printing/PrintJob.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QPrintDialog;
class QPrinter;
class QTemporaryDir;
class QWidget;

namespace lw {

// "Print…" of the preview: the system's print dialog preset for a landscape
// brochure on Letter paper, both sides flipped on the short edge, then the
// brochure's own PDF export sent to the print service as one job. The
// print service is spoken to off the window's thread, so the preview stays
// usable; a printer that prints one side only is guided through turning the
// sheet over by hand.
class BrochurePrinter : public QObject {
    Q_OBJECT
public:
    explicit BrochurePrinter(QWidget* window);
    ~BrochurePrinter() override;

    // Asks how to print the working document, titled as given, and prints
    // it. Does nothing while a job is still on its way.
    void print(const QString& workingDocument, const QString& title);
    bool busy() const { return m_busy; }

    // The dialog's starting point for this brochure.
    static void presetPrinter(QPrinter& printer, const QString& title);
    // Keeps the dialog on Letter paper wherever the printer chosen in it has
    // Letter, whatever paper the printer names as its default.
    static void keepLetterPaper(QPrintDialog& dialog);
    // What the dialog's answer asks the print service for.
    static PrintRequest requestFrom(const QPrinter& printer);

signals:
    // A job (or the last part of a guided one) was taken, or failed.
    void finished(bool printed);

private:
    struct Outcome {
        int jobId = 0;
        QString problem;
        bool secondPageLeft = false; // page 1 alone went out: page 2 by hand
        PrinterFacts printer;
    };
    void sendInBackground(const std::function<Outcome()>& work);
    void sent(const Outcome& outcome);
    void done(bool printed);

    QWidget* m_window;
    bool m_busy = false;
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_pdf;
    QString m_title;
    PrintRequest m_request;
};

} // namespace lw
