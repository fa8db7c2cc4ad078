// Times the command line over a list of companies and prints the rate, the
// program's and the office's memory along the list, and the baseline
// conversion measured in the same run. Run from the build folder:
//   bin/leafwright-batch-bench [--rows N] [--runs R] [--parallel] [--workbook]
// Each run is `leafwright --batch LIST --output-dir DIR --format doc --jobs 1`
// as a process with its office profile already made, watched from outside;
// with --parallel also the same with --jobs 2 (two offices at once); with
// --workbook also the same list saved as .xlsx by a separate office, the
// runs of both alternating; with --script, side by side with the script a
// user would write instead (bench/uno_fill_script.py: one warm office through
// Python UNO, needs python3-uno), by turns with leafwright --jobs 1 and with
// the number of offices it picks itself, office start included for all.
#include "bench/Measures.h"
#include "bench/ProcessSample.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cmath>
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
// watched: sample the processes along the list; the samples cost CPU time
// that a two-core machine takes from the run, so runs compared side by
// side with the script, which is not watched, are not watched either.
ListRun runList(const QString& list, const QString& work, int rows, int jobs, bool watched = true) {
    const QString output = work + QStringLiteral("/out");
    QDir(output).removeRecursively();
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    QStringList arguments{QStringLiteral("--batch"),      list,
                          QStringLiteral("--output-dir"), output,
                          QStringLiteral("--format"),     QStringLiteral("doc")};
    if (jobs > 0) // else as many offices as it picks itself
        arguments << QStringLiteral("--jobs") << QString::number(jobs);
    process.start(program(), arguments);
    process.waitForStarted();
    const pid_t pid = pid_t(process.processId());

    ListRun run;
    double firstFile = -1, lastFile = -1;
    int seen = 0;
    if (!watched)
        process.waitForFinished(-1);
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

// The script's whole list, office start included, in milliseconds; a
// negative time when it did not write every brochure.
double runScript(const QString& script, const QString& list, const QString& work, int rows) {
    const QString templateFile = work + QStringLiteral("/script-template.dot");
    if (!QFileInfo::exists(templateFile)) {
        QFile resource(QString::fromLatin1(kTemplateResource));
        resource.open(QIODevice::ReadOnly);
        QFile out(templateFile);
        out.open(QIODevice::WriteOnly);
        out.write(resource.readAll());
    }
    const QString output = work + QStringLiteral("/script-out");
    QDir(output).removeRecursively();
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral("/usr/bin/python3"),
                  {script, templateFile, list, output, work + QStringLiteral("/script-profile")});
    process.waitForFinished(-1);
    const double ms = elapsedMs(clock);
    return process.exitCode() == 0 && filesIn(output) == rows ? ms : -ms;
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
    const QCommandLineOption scriptOption(
        QStringLiteral("script"), QStringLiteral("also side by side with the Python UNO script"));
    const QCommandLineOption baselineOption(QStringLiteral("no-baseline"),
                                            QStringLiteral("skip the baseline conversions"));
    parser.addOptions(
        {rowsOption, runsOption, parallelOption, workbookOption, scriptOption, baselineOption});
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

    if (parser.isSet(scriptOption)) {
        const QString script = QStringLiteral(LEAFWRIGHT_SOURCE_DIR "/bench/uno_fill_script.py");
        // Its profile made first, as ours is: the starts timed are warm ones.
        runScript(script, list, work.path(), rows);
        std::vector<double> scriptMs, oneMs, ownMs;
        bool ok = true;
        for (int i = 0; i < runs; ++i) {
            const double scriptRun = runScript(script, list, work.path(), rows);
            const ListRun one = runList(list, work.path(), rows, 1, false);
            const ListRun own = runList(list, work.path(), rows, 0, false);
            ok = ok && scriptRun > 0 && one.ok && own.ok;
            scriptMs.push_back(std::abs(scriptRun));
            oneMs.push_back(one.seconds * 1000);
            ownMs.push_back(own.seconds * 1000);
        }
        if (!ok)
            std::fprintf(stderr, "a side-by-side run did not write every brochure\n");
        report("the script, one office", scriptMs);
        report("leafwright --jobs 1", oneMs);
        report("leafwright, offices it picks", ownMs);
        std::printf("%-44s %.2fx\n", "the script against --jobs 1 (medians)",
                    median(scriptMs) / median(oneMs));
        std::printf("%-44s %.2fx\n", "the script against its own pick (medians)",
                    median(scriptMs) / median(ownMs));
    }

    if (parser.isSet(baselineOption))
        return 0;
    const std::vector<double> baselineMs =
        timeBaseline(runs, work.path() + QStringLiteral("/temp"));
    report("baseline: soffice --convert-to doc, fresh profile", baselineMs);
    std::printf("%-44s %.1f\n", "baseline conversions per second", 1000 / median(baselineMs));
    return 0;
}
