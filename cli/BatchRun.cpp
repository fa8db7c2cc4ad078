#include "cli/BatchRun.h"

#include "cli/BatchProgress.h"
#include "cli/BrochureNames.h"
#include "cli/BrochureWriter.h"
#include "cli/CompanyList.h"
#include "cli/Interruption.h"
#include "cli/Terminal.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace lw::cli {
namespace {

QStringList targetsOf(const Invocation& invocation, const QString& stem) {
    const QDir folder(invocation.outputDir);
    QStringList targets;
    if (invocation.doc)
        targets << folder.filePath(stem + QLatin1String(kWorkingDocumentExtension));
    if (invocation.pdf)
        targets << folder.filePath(stem + QLatin1String(kPdfExtension));
    return targets;
}

QString fileNames(const QStringList& paths) {
    QStringList names;
    for (const QString& path : paths)
        names << QFileInfo(path).fileName();
    return names.join(QStringLiteral(", "));
}

} // namespace

int runBatch(const Invocation& invocation) {
    QFile listFile(invocation.list);
    if (!listFile.open(QIODevice::ReadOnly)) {
        printError(
            QStringLiteral("cannot read %1: %2").arg(invocation.list, listFile.errorString()));
        return 1;
    }
    const CompanyList list = readCompanyList(listFile.readAll());
    if (!list.error.isEmpty()) {
        printError(QStringLiteral("%1: %2; nothing was written").arg(invocation.list, list.error));
        return 1;
    }
    if (!QDir().mkpath(invocation.outputDir)) {
        printError(QStringLiteral("cannot make the folder %1").arg(invocation.outputDir));
        return 1;
    }
    if (const QString problem = startEngine(); !problem.isEmpty()) {
        printError(problem);
        return 1;
    }

    Progress progress;
    BrochureWriter writer;
    BrochureNames names;
    BatchTally tally;
    QElapsedTimer clock;
    clock.start();
    const int total = int(list.rows.size());
    int done = 0;
    for (const CompanyRow& row : list.rows) {
        if (interrupted())
            break;
        progress.show(progressLine(done, total, clock.elapsed() / 1000.0));
        const QString where = QStringLiteral("%1:%2: ").arg(invocation.list).arg(row.line);
        if (!row.rejection.isEmpty()) {
            ++tally.rejected;
            progress.print(where + QStringLiteral("rejected: ") + row.rejection);
        } else {
            const QString stem = names.claim(
                brochureFileStem(row.fields[std::size_t(kTitleFieldIndex)], row.number));
            const BrochureWriter::Result result =
                writer.write(row.fields, targetsOf(invocation, stem), invocation.overwrite);
            if (!result.failure.isEmpty()) {
                ++tally.failed;
                progress.print(where + QStringLiteral("failed: ") + result.failure);
            } else if (result.written.isEmpty()) {
                ++tally.kept;
            } else {
                ++tally.written;
            }
            if (!result.kept.isEmpty())
                progress.print(where + QStringLiteral("kept %1, which exists already "
                                                      "(--overwrite replaces it)")
                                           .arg(fileNames(result.kept)));
        }
        ++done;
    }
    progress.clear();
    const bool stopped = interrupted();
    printLine(summaryLine(tally, stopped));
    if (stopped)
        return kInterruptedExitCode;
    return tally.allWritten() ? 0 : 1;
}

} // namespace lw::cli
