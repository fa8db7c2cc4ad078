#pragma once

#include "cli/BrochureWriter.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <vector>

namespace lw::cli {

// One brochure of a list to make: its row's line, fields and files.
struct BatchJob {
    int line = 0;
    BrochureWriter::Fields fields;
    QStringList targets;
    QString logo; // a picture for the cover, or empty
    ColourChoice colours = defaultColours();
};

struct BatchOutcome {
    int line = 0;
    BrochureWriter::Result result;
};

// Receives each outcome as it comes.
using OutcomeHandler = std::function<void(const BatchOutcome&)>;

// Makes the jobs, in this process when workers is 1, otherwise spread over
// that many copies of this program (each with its own office and working
// folder), which pays on a machine with several cores: each brochure keeps
// one core busy between the program and its office. Stops handing out jobs
// once interrupted; the jobs in hand are finished.
void runJobs(const std::vector<BatchJob>& jobs, int workers, bool replace,
             const OutcomeHandler& onOutcome);

// The worker's side: reads jobs from standard input, one a line, makes
// each and writes its outcome to standard output, until the input ends or
// the worker is interrupted. Returns the exit status.
int runWorker(bool replace);

// The hidden option that starts a copy of the program as a worker.
inline constexpr auto kWorkerOption = "batch-worker";

} // namespace lw::cli
