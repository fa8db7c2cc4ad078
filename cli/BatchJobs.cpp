#include "cli/BatchJobs.h"

#include "cli/Interruption.h"
#include "shell/FileRoutines.h"
#include "shell/InstanceRecord.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <deque>
#include <memory>

namespace lw::cli {
namespace {

QJsonArray toJson(const QStringList& list) {
    return QJsonArray::fromStringList(list);
}

QStringList fromJson(const QJsonValue& value) {
    QStringList list;
    for (const QJsonValue& item : value.toArray())
        list << item.toString();
    return list;
}

QByteArray encodeJob(const BatchJob& job) {
    QJsonArray fields;
    for (const QString& field : job.fields)
        fields.append(field);
    const QJsonObject object{{QStringLiteral("line"), job.line},
                             {QStringLiteral("fields"), fields},
                             {QStringLiteral("targets"), toJson(job.targets)},
                             {QStringLiteral("logo"), job.logo},
                             {QStringLiteral("colour"), colourText(job.colours.main)},
                             {QStringLiteral("accent"), colourText(job.colours.accent)}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

BatchJob decodeJob(const QByteArray& line) {
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    BatchJob job;
    job.line = object.value(QStringLiteral("line")).toInt();
    const QJsonArray fields = object.value(QStringLiteral("fields")).toArray();
    for (int i = 0; i < kFieldCount && i < fields.size(); ++i)
        job.fields[std::size_t(i)] = fields.at(i).toString();
    job.targets = fromJson(object.value(QStringLiteral("targets")));
    job.logo = object.value(QStringLiteral("logo")).toString();
    job.colours.main =
        parseColour(object.value(QStringLiteral("colour")).toString()).value_or(job.colours.main);
    job.colours.accent =
        parseColour(object.value(QStringLiteral("accent")).toString()).value_or(job.colours.accent);
    return job;
}

QByteArray encodeOutcome(const BatchOutcome& outcome) {
    const QJsonObject object{{QStringLiteral("line"), outcome.line},
                             {QStringLiteral("written"), toJson(outcome.result.written)},
                             {QStringLiteral("kept"), toJson(outcome.result.kept)},
                             {QStringLiteral("failure"), outcome.result.failure}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

BatchOutcome decodeOutcome(const QByteArray& line) {
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    BatchOutcome outcome;
    outcome.line = object.value(QStringLiteral("line")).toInt();
    outcome.result.written = fromJson(object.value(QStringLiteral("written")));
    outcome.result.kept = fromJson(object.value(QStringLiteral("kept")));
    outcome.result.failure = object.value(QStringLiteral("failure")).toString();
    return outcome;
}

// A copy of the program making brochures, one job at a time.
struct Worker {
    std::unique_ptr<QTemporaryDir> workingFolder;
    std::unique_ptr<QProcess> process;
    // The job it is making, if any.
    const BatchJob* job = nullptr;
    QByteArray pending;
};

void runHere(const std::vector<BatchJob>& jobs, bool replace, const OutcomeHandler& onOutcome) {
    BrochureWriter writer;
    for (const BatchJob& job : jobs) {
        if (interrupted())
            return;
        onOutcome(
            {job.line, writer.write(job.fields, job.targets, replace, job.logo, job.colours)});
    }
}

} // namespace

void runJobs(const std::vector<BatchJob>& jobs, int workers, bool replace,
             const OutcomeHandler& onOutcome) {
    workers = std::min<int>(workers, int(jobs.size()));
    if (workers <= 1) {
        runHere(jobs, replace, onOutcome);
        return;
    }

    std::deque<const BatchJob*> waiting;
    for (const BatchJob& job : jobs)
        waiting.push_back(&job);
    std::vector<Worker> pool(static_cast<std::size_t>(workers));
    QEventLoop loop;
    int running = 0;

    const auto handOut = [&](Worker& worker) {
        if (waiting.empty() || interrupted()) {
            worker.process->closeWriteChannel();
            return;
        }
        worker.job = waiting.front();
        waiting.pop_front();
        worker.process->write(encodeJob(*worker.job));
    };

    // Each outcome frees its worker for the next job while it runs; an
    // interruption hands out none, so each worker finishes the one in hand
    // and leaves.
    const auto takeOutcomes = [&](Worker& worker, bool stillRunning) {
        worker.pending += worker.process->readAllStandardOutput();
        for (qsizetype end; (end = worker.pending.indexOf('\n')) >= 0;) {
            const BatchOutcome outcome = decodeOutcome(worker.pending.left(end));
            worker.pending.remove(0, end + 1);
            worker.job = nullptr;
            onOutcome(outcome);
            if (stillRunning)
                handOut(worker);
        }
    };

    for (Worker& worker : pool) {
        // A working folder of its own: copies of the template and working
        // documents of different workers never meet.
        worker.workingFolder =
            std::make_unique<QTemporaryDir>(temporaryPath(QStringLiteral("batch-worker-XXXXXX")));
        recordPathToMake(worker.workingFolder->path());
        worker.process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TEMP"), worker.workingFolder->path());
        worker.process->setProcessEnvironment(environment);
        worker.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList arguments{QStringLiteral("--") + QLatin1String(kWorkerOption)};
        if (replace)
            arguments << QStringLiteral("--overwrite");
        QObject::connect(worker.process.get(), &QProcess::readyReadStandardOutput, &loop,
                         [&] { takeOutcomes(worker, true); });
        QObject::connect(worker.process.get(), &QProcess::finished, &loop, [&] {
            takeOutcomes(worker, false);
            if (worker.job) {
                BrochureWriter::Result lost;
                lost.failure = QStringLiteral("the worker making it ended unexpectedly");
                onOutcome({worker.job->line, lost});
                worker.job = nullptr;
            }
            if (--running == 0)
                loop.quit();
        });
        worker.process->start(QCoreApplication::applicationFilePath(), arguments);
        if (!worker.process->waitForStarted()) {
            // No copy could start: make the rest here.
            worker.process.reset();
            continue;
        }
        ++running;
        handOut(worker);
    }
    if (running > 0)
        loop.exec();
    std::vector<BatchJob> rest;
    for (const BatchJob* job : waiting)
        rest.push_back(*job);
    runHere(rest, replace, onOutcome);
}

int runWorker(bool replace) {
    BrochureWriter writer;
    QFile input;
    input.open(stdin, QIODevice::ReadOnly);
    while (!interrupted()) {
        const QByteArray line = input.readLine();
        if (line.isEmpty())
            break;
        const BatchJob job = decodeJob(line);
        const QByteArray answer = encodeOutcome(
            {job.line, writer.write(job.fields, job.targets, replace, job.logo, job.colours)});
        std::fwrite(answer.constData(), 1, std::size_t(answer.size()), stdout);
        std::fflush(stdout);
    }
    return interrupted() ? kInterruptedExitCode : 0;
}

} // namespace lw::cli
