// Times the command line over a list of companies and prints the rate, the
// program's and the office's memory along the list, and the baseline
// conversion measured in the same run. Run from the build folder:
//   bin/leafwright-batch-bench [--rows N] [--runs R] [--parallel] [--workbook]
// Each run is `leafwright --batch LIST --output-dir DIR --format doc --jobs 1`
// as a process with its office profile already made, watched from outside;
// with --parallel also the same with --jobs 2 (two offices at once); with
// --workbook also the same list saved as .xlsx by a separate office, the
// runs of both alternating.
#include "bench/Measures.h"
#include "bench/ProcessSample.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

using namespace lw;
using namespace lw::bench;

namespace {

QString program() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/leafwright");
}

void writeList(const QString& path, int first, int count) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("company_name,tag_line,address_line_1,address_line_2,city,state,zip_code,phone,"
               "fax,email\n");
    for (int i = first; i < first + count; ++i)
        file.write(QStringLiteral("\"Birch & Pine %1, Inc.\",Furniture since 1962,%1 Main St,"
                                  "Suite %1,Marshbrooke,VT,05412,802-555-%2,802-555-9%2,"
                                  "info%1@birchpine.example\n")
                       .arg(i)
                       .arg(i % 1000, 3, 10, QLatin1Char('0'))
                       .toUtf8());
}

int filesIn(const QString& folder) {
    return int(QDir(folder).entryList(QDir::Files).size());
}

struct ListRun {
    double seconds = 0;    // start to exit
    double rowSeconds = 0; // first file to last, per row
    ProcessSample programAt20, programAtEnd, officeAt20, officeAtEnd;
    long programPeakKiB = 0;
    bool ok = false;
};

// Runs the program over the list and watches it from outside: the rate at
// which files appear, and the program's and its office's memory each time
// one does.
ListRun runList(const QString& list, const QString& work, int rows, int jobs) {
    const QString output = work + QStringLiteral("/out");
    QDir(output).removeRecursively();
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start(program(), {QStringLiteral("--batch"), list, QStringLiteral("--output-dir"),
                              output, QStringLiteral("--format"), QStringLiteral("doc"),
                              QStringLiteral("--jobs"), QString::number(jobs)});
    process.waitForStarted();
    const pid_t pid = pid_t(process.processId());

    ListRun run;
    double firstFile = -1, lastFile = -1;
    int seen = 0;
    while (process.state() != QProcess::NotRunning) {
        const ProcessSample programNow = sampleProcess(pid);
        const pid_t office = officeChild(pid);
        const ProcessSample officeNow = office ? sampleProcess(office) : ProcessSample();
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (status.open(QIODevice::ReadOnly))
            for (const QByteArray& line : status.readAll().split('\n'))
                if (line.startsWith("VmHWM:"))
                    run.programPeakKiB = line.mid(6).trimmed().split(' ').value(0).toLong();
        const int now = filesIn(output);
        if (now > seen) {
            if (seen == 0)
                firstFile = elapsedMs(clock);
            lastFile = elapsedMs(clock);
            if (programNow.residentKiB > 0)
                run.programAtEnd = programNow;
            if (officeNow.residentKiB > 0)
                run.officeAtEnd = officeNow;
            if (seen < 20 && now >= 20) {
                run.programAt20 = run.programAtEnd;
                run.officeAt20 = run.officeAtEnd;
            }
            seen = now;
        }
        process.waitForFinished(5);
    }
    run.seconds = elapsedMs(clock) / 1000;
    run.rowSeconds = (lastFile - firstFile) / 1000 / std::max(1, rows - 1);
    run.ok = filesIn(output) == rows && process.exitCode() == 0;
    return run;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times leafwright --batch on the real "
                                                    "engine."));
    parser.addHelpOption();
    const QCommandLineOption rowsOption(QStringLiteral("rows"), QStringLiteral("rows (200)"),
                                        QStringLiteral("N"), QStringLiteral("200"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("runs (3)"),
                                        QStringLiteral("R"), QStringLiteral("3"));
    const QCommandLineOption parallelOption(QStringLiteral("parallel"),
                                            QStringLiteral("also with two offices at once"));
    const QCommandLineOption workbookOption(QStringLiteral("workbook"),
                                            QStringLiteral("also the list as an .xlsx workbook"));
    parser.addOptions({rowsOption, runsOption, parallelOption, workbookOption});
    parser.process(app);
    const int rows = std::max(40, parser.value(rowsOption).toInt());
    const int runs = std::max(1, parser.value(runsOption).toInt());

    QTemporaryDir work;
    qputenv("TEMP", (work.path() + QStringLiteral("/temp")).toUtf8());
    QDir().mkpath(work.path() + QStringLiteral("/temp"));
    const QString list = work.path() + QStringLiteral("/list.csv");
    writeList(list, 0, rows);

    std::printf("Leafwright batch benchmark, %d rows, %d runs\n\n", rows, runs);
    // The first start may make the office profile; it is not timed.
    runList(list, work.path(), rows, 1);

    std::vector<double> wholeMs, rowMs, parallelMs;
    ListRun last;
    for (int i = 0; i < runs; ++i) {
        last = runList(list, work.path(), rows, 1);
        if (!last.ok)
            std::fprintf(stderr, "run %d did not write every brochure\n", i + 1);
        wholeMs.push_back(last.seconds * 1000);
        rowMs.push_back(last.rowSeconds * 1000);
    }
    report("whole list, --jobs 1, start to exit", wholeMs);
    report("one row, along the list", rowMs);
    std::printf("%-44s %.1f\n", "brochures per second (whole list, median)",
                rows / (median(wholeMs) / 1000));
    std::printf("%-44s %.1f\n", "brochures per second (along the list)", 1000 / median(rowMs));
    std::printf("%-44s %ld KiB at row 20, %ld KiB at the last row (%+ld)\n", "program memory (RSS)",
                last.programAt20.residentKiB, last.programAtEnd.residentKiB,
                last.programAtEnd.residentKiB - last.programAt20.residentKiB);
    std::printf("%-44s %ld KiB\n", "program peak memory (VmHWM)", last.programPeakKiB);
    std::printf("%-44s %ld KiB at row 20, %ld KiB at the last row (%+ld)\n", "office memory (RSS)",
                last.officeAt20.residentKiB, last.officeAtEnd.residentKiB,
                last.officeAtEnd.residentKiB - last.officeAt20.residentKiB);
    std::printf("%-44s %d at row 20, %d at the end\n", "program's open descriptors",
                last.programAt20.descriptors, last.programAtEnd.descriptors);

    if (parser.isSet(parallelOption)) {
        for (int i = 0; i < runs; ++i)
            parallelMs.push_back(runList(list, work.path(), rows, 2).seconds * 1000);
        report("whole list, --jobs 2", parallelMs);
        std::printf("%-44s %.1f\n", "brochures per second (--jobs 2, median)",
                    rows / (median(parallelMs) / 1000));
    }

    if (parser.isSet(workbookOption)) {
        const QString profile = work.path() + QStringLiteral("/other-office");
        QProcess convert;
        convert.start(QStringLiteral("soffice"),
                      {QStringLiteral("--headless"),
                       QStringLiteral("-env:UserInstallation=file://") + profile,
                       QStringLiteral("--convert-to"), QStringLiteral("xlsx"),
                       QStringLiteral("--outdir"), work.path(), list});
        convert.waitForFinished(120000);
        const QString workbook = work.path() + QStringLiteral("/list.xlsx");
        std::vector<double> csvMs, xlsxMs;
        bool ok = true;
        for (int i = 0; i < runs; ++i) {
            const ListRun csv = runList(list, work.path(), rows, 1);
            const ListRun xlsx = runList(workbook, work.path(), rows, 1);
            ok = ok && csv.ok && xlsx.ok;
            csvMs.push_back(csv.seconds * 1000);
            xlsxMs.push_back(xlsx.seconds * 1000);
        }
        if (!ok)
            std::fprintf(stderr, "a workbook comparison run did not write every brochure\n");
        report("whole list from CSV, --jobs 1", csvMs);
        report("whole list from .xlsx, --jobs 1", xlsxMs);
        std::printf("%-44s %.1f %%\n", "workbook speed as a share of CSV speed",
                    100 * median(csvMs) / median(xlsxMs));
    }

    const std::vector<double> baselineMs =
        timeBaseline(runs, work.path() + QStringLiteral("/temp"));
    report("baseline: soffice --convert-to doc, fresh profile", baselineMs);
    std::printf("%-44s %.1f\n", "baseline conversions per second", 1000 / median(baselineMs));
    return 0;
}
