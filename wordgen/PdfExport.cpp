#include "wordgen/PdfExport.h"

#include "shell/FileRoutines.h"
#include "shell/OutputFile.h"
#include "wordgen/ObjectRegistry.h"

#include <QFileInfo>

namespace lw {
namespace {

// Quits a session however the export ends; the session's documents close
// with it.
class SessionGuard {
public:
    explicit SessionGuard(word::Ref<word::WordApplication> application)
        : m_application(std::move(application)) {}
    ~SessionGuard() {
        try {
            if (m_application)
                m_application->quit();
        } catch (...) {
        }
    }
    SessionGuard(const SessionGuard&) = delete;
    SessionGuard& operator=(const SessionGuard&) = delete;
    word::WordApplication* operator->() const { return m_application.operator->(); }
    void quit() {
        auto application = std::move(m_application);
        application->quit();
    }

private:
    word::Ref<word::WordApplication> m_application;
};

} // namespace

void writeBrochurePdf(const QString& document, OutputFile& file, const QString& title) {
    using namespace word;
    SessionGuard W(CreateObject(QString::fromLatin1(kWordApplicationClass)));
    const Ref<WordDocument> D = W->Documents()->Open(document, true);
    D->setBuiltInDocumentProperty(QStringLiteral("Title"), title);
    try {
        D->SaveAs(file.partPath());
    } catch (const Failure& failure) {
        // The hidden file is ours, not the user's: the message names the
        // file the user asked for.
        QString description = failure.description();
        description.replace(file.partPath(), file.target());
        throw AutomationError(description);
    }
    D->Close(kDoNotSaveChanges);
    W.quit();
    if (QFileInfo(file.partPath()).size() == 0)
        throw Failure(
            QStringLiteral("Cannot write %1: the engine wrote no PDF").arg(file.target()));
}

void exportBrochurePdf(const QString& document, const QString& target, const QString& title) {
    // A hidden name of our own in the target's folder, so the rename stays
    // on one file system; the engine picks the format by its extension.
    OutputFile part(target);
    writeBrochurePdf(document, part, title);
    part.publish(true);
}

} // namespace lw
