#pragma once

#include <QString>
#include <QStringList>

namespace lw {

// Every working document a generation run made in this process, from the
// moment its name is drawn, so none is left behind: the preview hands one
// document to the user at a time, but a run that failed half-way may have
// made one it never handed over. The program's end deletes all that remain.
void addWorkingDocument(const QString& path);
// The documents not deleted yet, oldest first.
QStringList workingDocuments();
// Deletes every document except `keep`, ignoring failures; those that could
// not be deleted stay listed for the next attempt.
void deleteWorkingDocumentsQuietly(const QString& keep = QString());
// `path` is gone (deleted by its owner): no longer listed.
void forgetWorkingDocument(const QString& path);

} // namespace lw
