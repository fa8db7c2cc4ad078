#include "preview/PreviewExit.h"

#include "shell/FileRoutines.h"
#include "shell/GuardedProcedure.h"
#include "shell/WorkingDocuments.h"

#include <QCoreApplication>

namespace lw {

void backToMainWindow(const QString& workingDocument, const std::function<void()>& showMainWindow,
                      const std::function<void()>& hidePreview) {
    GuardedProcedure back(QStringLiteral("Form2"), QStringLiteral("PushButton8_Click"));
    back.step(100, [&] {
        // Any other document a run made and never handed over goes too.
        deleteWorkingDocumentsQuietly(workingDocument);
        if (PathExists(workingDocument))
            DeleteFileOrFail(workingDocument);
        forgetWorkingDocument(workingDocument);
    });
    back.step(102, [&] { showMainWindow(); });
    back.step(104, [&] { hidePreview(); });
}

void discardOnClose(const QString& workingDocument) {
    GuardedProcedure close(QStringLiteral("Form2"), QStringLiteral("Form_QueryUnload"));
    close.step(100, [&] {
        DeleteFileQuietly(workingDocument);
        deleteWorkingDocumentsQuietly();
    });
    close.step(102, [&] {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    });
}

} // namespace lw
