#include "shell/WorkingDocuments.h"

#include "shell/FileRoutines.h"
#include "shell/InstanceRecord.h"
#include "shell/ProgramEnd.h"

namespace lw {
namespace {
QStringList& documents() {
    static QStringList list;
    return list;
}
} // namespace

void addWorkingDocument(const QString& path) {
    static const bool deletedAtTheEnd = [] {
        addShutdownStep([] { deleteWorkingDocumentsQuietly(); });
        return true;
    }();
    Q_UNUSED(deletedAtTheEnd);
    if (!path.isEmpty() && !documents().contains(path)) {
        recordPathToMake(path);
        documents().append(path);
    }
}

QStringList workingDocuments() {
    return documents();
}

void deleteWorkingDocumentsQuietly(const QString& keep) {
    QStringList remaining;
    for (const QString& path : std::as_const(documents())) {
        if (path != keep) {
            DeleteFileQuietly(path);
            // An office that was killed with the document open leaves its
            // lock file beside it.
            deleteOwnFileQuietly(officeLockFileOf(path));
        }
        if (PathExists(path))
            remaining.append(path);
    }
    documents() = remaining;
}

void forgetWorkingDocument(const QString& path) {
    documents().removeAll(path);
}

} // namespace lw
