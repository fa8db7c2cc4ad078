#include "wordgen/PdfExport.h"

#include "shell/FileRoutines.h"
#include "wordgen/ObjectRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

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

void writeBrochurePdf(const QString& document, const QString& path, const QString& title) {
    using namespace word;
    SessionGuard W(CreateObject(QString::fromLatin1(kWordApplicationClass)));
    const Ref<WordDocument> D = W->Documents()->Open(document, true);
    D->setBuiltInDocumentProperty(QStringLiteral("Title"), title);
    D->SaveAs(path);
    D->Close(kDoNotSaveChanges);
    W.quit();
}

void exportBrochurePdf(const QString& document, const QString& target, const QString& title) {
    const QFileInfo targetInfo(target);
    // A hidden name of our own in the target's folder, so the rename below
    // stays on one file system; the engine picks the format by extension.
    QTemporaryFile part(targetInfo.absoluteDir().filePath(QLatin1Char('.') + targetInfo.fileName() +
                                                          QStringLiteral(".XXXXXX.pdf")));
    if (!part.open())
        throw Failure(QStringLiteral("Cannot write %1: %2").arg(target, part.errorString()));
    part.close();

    writeBrochurePdf(document, part.fileName(), title);
    if (QFileInfo(part.fileName()).size() == 0)
        throw Failure(QStringLiteral("Cannot write %1: the engine wrote no PDF").arg(target));
    // By name: the engine may have written a new file under it.
    QFile::setPermissions(part.fileName(),
                          targetInfo.exists() ? targetInfo.permissions() : newFilePermissions());
    if (std::rename(QFile::encodeName(part.fileName()).constData(),
                    QFile::encodeName(targetInfo.absoluteFilePath()).constData()) != 0)
        throw systemFailure(QStringLiteral("Cannot replace"), target);
    part.setAutoRemove(false);
}

} // namespace lw
