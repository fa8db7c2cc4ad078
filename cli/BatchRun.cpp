#include "cli/BatchRun.h"

#include "brochure/LogoPicture.h"
#include "cli/BatchJobs.h"
#include "cli/BatchProgress.h"
#include "cli/BrochureNames.h"
#include "cli/BrochureWriter.h"
#include "cli/CompanyList.h"
#include "cli/Interruption.h"
#include "cli/ListFile.h"
#include "cli/ListLogo.h"
#include "cli/OneBrochure.h"
#include "cli/ProfileCommands.h"
#include "cli/Terminal.h"
#include "cli/WorkbookList.h"
#include "wordgen/EngineModule.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>
#include <QThread>

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

// A row's fields; those the list has no column for come from the profile.
BrochureWriter::Fields rowFields(const CompanyRow& row, const CompanyList& list,
                                 const std::optional<Profile>& profile) {
    BrochureWriter::Fields fields = row.fields;
    for (int i = 0; profile && i < kFieldCount; ++i)
        if (!list.hasColumn[std::size_t(i)])
            fields[std::size_t(i)] = profile->fields[std::size_t(i)];
    return fields;
}

// A row's own colours over the defaults (its columns were checked when read).
ColourChoice rowColours(const CompanyRow& row, ColourChoice colours) {
    colours.main = parseColour(row.colour).value_or(colours.main);
    colours.accent = parseColour(row.accent).value_or(colours.accent);
    return colours;
}

// Two offices at once keep both cores of a small machine busy and make a
// list about twice as fast; more cost memory (an office holds 150 MB) for
// little on such a machine. A short list does not repay a second start.
int automaticWorkers(std::size_t jobs) {
    return QThread::idealThreadCount() >= 2 && jobs >= 8 ? 2 : 1;
}

} // namespace

int runBatch(const Invocation& invocation) {
    // A profile and colours given are the defaults of every row.
    int status = 1;
    const std::optional<BrochureLook> look = brochureLook(invocation, &status);
    if (!look)
        return status;
    // "-" is standard input, for a list made by another program.
    const bool fromInput = invocation.list == QLatin1String("-");
    const QString listName = fromInput ? QStringLiteral("(standard input)") : invocation.list;
    CompanyList list;
    if (!fromInput && isWorkbookPath(invocation.list)) {
        list = readWorkbookList(invocation.list);
    } else {
        const TextListFile file = readTextListFile(invocation.list);
        if (!file.error.isEmpty())
            list.error = file.error;
        else
            list = readCompanyList(file.bytes);
    }
    if (!list.error.isEmpty()) {
        printError(QStringLiteral("%1: %2; nothing was written").arg(listName, list.error));
        return 1;
    }
    if (!list.warning.isEmpty())
        printError(QStringLiteral("%1: %2").arg(listName, list.warning));
    // A share of the list: its rows by their place in the whole list, so
    // shards run anywhere never make the same row twice.
    const auto inShard = [&](const CompanyRow& row) {
        return invocation.shards == 0 ||
               (row.number - 1) % invocation.shards == invocation.shard - 1;
    };
    // A row's logo, by a path inside the list's folder, is tried before any
    // office work, so a bad one rejects its row. Rows without one get
    // --logo's, the profile's, or the one the window keeps.
    const QDir listFolder = fromInput ? QDir::current() : QFileInfo(invocation.list).absoluteDir();
    const QString& commonLogo = look->logo;
    const auto logoOf = [&](const CompanyRow& row) {
        return row.logo.isEmpty() ? ListLogo{commonLogo, {}} : listLogoPath(listFolder, row.logo);
    };
    QHash<QString, QString> logoProblems; // many rows share one logo
    const auto rejectionOf = [&](const CompanyRow& row) {
        const ListLogo logo = logoOf(row);
        if (!row.rejection.isEmpty() || !logo.problem.isEmpty() || logo.path.isEmpty())
            return row.rejection.isEmpty() ? logo.problem : row.rejection;
        if (!logoProblems.contains(logo.path)) {
            const PreparedLogo prepared = prepareLogo(logo.path);
            logoProblems.insert(logo.path, prepared.error);
            // Told once, with the first row that uses it.
            if (!prepared.warning.isEmpty())
                printError(QStringLiteral("%1:%2: warning: %3")
                               .arg(listName)
                               .arg(row.line)
                               .arg(prepared.warning));
        }
        return logoProblems.value(logo.path);
    };
    if (invocation.check) {
        int fine = 0, rejected = 0;
        for (const CompanyRow& row : list.rows) {
            if (!inShard(row))
                continue;
            const QString rejection = rejectionOf(row);
            if (rejection.isEmpty()) {
                ++fine;
                continue;
            }
            ++rejected;
            printError(QStringLiteral("%1:%2: %3").arg(listName).arg(row.line).arg(rejection));
        }
        printLine(QStringLiteral("%1 rows can be made, %2 rejected").arg(fine).arg(rejected));
        return rejected == 0 ? 0 : 1;
    }
    if (!QDir().mkpath(invocation.outputDir)) {
        printError(QStringLiteral("cannot make the folder %1").arg(invocation.outputDir));
        return 1;
    }
    // Told at once, not after every row has been made for nothing.
    if (QTemporaryFile probe(QDir(invocation.outputDir).filePath(QStringLiteral(".XXXXXX")));
        !probe.open()) {
        printError(QStringLiteral("cannot write in %1: %2")
                       .arg(invocation.outputDir, probe.errorString()));
        return 1;
    }
    if (const QString problem = startEngine(); !problem.isEmpty()) {
        printError(problem);
        return 1;
    }

    // Rejections first, and every file's name decided here, so names are
    // the same however many workers make the files.
    Progress progress;
    BrochureNames names;
    BatchTally tally;
    std::vector<BatchJob> jobs;
    for (const CompanyRow& row : list.rows) {
        // Every row claims its name, in or out of this shard.
        const QString stem = row.rejection.isEmpty()
                                 ? names.claim(brochureFileStem(
                                       row.fields[std::size_t(kTitleFieldIndex)], row.number))
                                 : QString();
        if (!inShard(row))
            continue;
        const QString rejection = rejectionOf(row);
        if (!rejection.isEmpty()) {
            ++tally.rejected;
            progress.print(
                QStringLiteral("%1:%2: rejected: %3").arg(listName).arg(row.line).arg(rejection));
            continue;
        }
        jobs.push_back({row.line, rowFields(row, list, look->profile), targetsOf(invocation, stem),
                        logoOf(row).path, rowColours(row, look->colours)});
    }

    const int workers = invocation.jobs > 0 ? invocation.jobs : automaticWorkers(jobs.size());
    if (workers > 1)
        word::stopEngines(); // each worker starts an office of its own
    QElapsedTimer clock;
    clock.start();
    const int total = int(jobs.size());
    int done = 0;
    progress.show(progressLine(done, total, 0));
    runJobs(jobs, workers, invocation.overwrite, [&](const BatchOutcome& outcome) {
        const BrochureWriter::Result& result = outcome.result;
        const QString where = QStringLiteral("%1:%2: ").arg(listName).arg(outcome.line);
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
        ++done;
        progress.show(progressLine(done, total, clock.elapsed() / 1000.0));
    });
    progress.clear();
    const bool stopped = interrupted();
    QString summary = summaryLine(tally, stopped);
    if (invocation.shards > 0)
        summary += QStringLiteral(" (shard %1/%2)").arg(invocation.shard).arg(invocation.shards);
    printLine(summary);
    if (stopped)
        return kInterruptedExitCode;
    return tally.everyRowHasItsFile() ? 0 : 1;
}

} // namespace lw::cli
