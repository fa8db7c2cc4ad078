// Times Leafwright on the real engine and prints medians and spreads:
// start-up to a usable window, whole generation runs (first and later), the
// phases of a run, and the single-conversion baseline with a fresh office
// profile. Run from the build folder:  bin/leafwright-bench [runs]
// With --logo FILE, later runs with that logo (the same again, and new bytes
// each run) take turns with runs without; --no-baseline skips the baseline.
// With --soak N it instead makes N runs in one session and prints how the
// program's and the office's memory, descriptors and working files move.
#include "bench/Measures.h"
#include "bench/ProcessSample.h"
#include "brochure/BrochureProduct.h"
#include "brochure/LogoStore.h"
#include "shell/LargeBuffers.h"
#include "shell/Prompts.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "wordgen/EngineModule.h"
#include "wordgen/GenerationRun.h"
#include "wordgen/IsInstalled.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <sys/resource.h>
#include <vector>

using namespace lw;
using namespace lw::bench;

namespace {

class CountingPrompts final : public Prompts {
public:
    void applicationError(const QString& text) override {
        ++errors;
        std::fprintf(stderr, "error report: %s\n", qPrintable(text));
    }
    void message(const QString& text) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    bool askYesNo(const QString&) override { return true; }
    QString saveFileName(const QString&, const QString&, int*) override { return {}; }
    int errors = 0;
};

class PhaseClock final : public GenerationObserver {
public:
    void phase(const char* name) override {
        if (QByteArray(name) == "start") {
            m_clock.start();
            m_last = 0;
            return;
        }
        const double now = m_clock.nsecsElapsed() / 1e6;
        if (!samples.count(name))
            order.push_back(name);
        samples[name].push_back(now - m_last);
        m_last = now;
    }
    void clear() {
        samples.clear();
        order.clear();
    }
    std::map<std::string, std::vector<double>> samples;
    std::vector<std::string> order; // as first reached

private:
    QElapsedTimer m_clock;
    double m_last = 0;
};

// The phases of the runs in the order reached; the parts of a phase
// ("snapshot: open", "snapshot: page drawn", ...) follow the phase's total.
void reportPhases(const char* run, const std::map<std::string, std::vector<double>>& samples,
                  const std::vector<std::string>& order) {
    std::vector<std::string> reported;
    for (const std::string& name : order) {
        const std::size_t colon = name.find(':');
        if (colon == std::string::npos) {
            report((std::string("  ") + run + ", phase: " + name).c_str(), samples.at(name));
            continue;
        }
        const std::string group = name.substr(0, colon);
        if (std::find(reported.begin(), reported.end(), group) != reported.end())
            continue;
        reported.push_back(group);
        std::vector<double> total;
        for (const std::string& part : order) {
            if (part.rfind(group + ":", 0) != 0)
                continue;
            const auto& values = samples.at(part);
            total.resize(std::max(total.size(), values.size()));
            for (std::size_t i = 0; i < values.size(); ++i)
                total[i] += values[i];
        }
        report((std::string("  ") + run + ", phase: " + group).c_str(), total);
        for (const std::string& part : order)
            if (part.rfind(group + ":", 0) == 0)
                report((std::string("    ") + part.substr(colon + 2)).c_str(), samples.at(part));
    }
}

// Each run against the run without a logo just before it: a drift of the
// machine's speed cancels out.
std::vector<double> differences(const std::vector<double>& with,
                                const std::vector<double>& without) {
    std::vector<double> result;
    for (std::size_t i = 0; i < with.size() && i < without.size(); ++i)
        result.push_back(with[i] - without[i]);
    return result;
}

// The same picture in other bytes: a PNG with a note of the run in it.
StoredLogo otherBytes(const StoredLogo& logo, int run) {
    QImage picture = QImage::fromData(logo.bytes);
    picture.setText(QStringLiteral("Run"), QString::number(run));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return {buffer.data(), QStringLiteral("png")};
}

// How long the window waits, shown, before the first press of a run that
// follows start-up: less than a person takes to reach the button.
constexpr int kIdleBeforeFirstPressMs = 500;

std::vector<double> timeProgramStart(int runs) {
    std::vector<double> ms;
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/leafwright");
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LEAFWRIGHT_EXIT_WHEN_READY"), QStringLiteral("1"));
        process.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        process.start(program, {});
        while (process.state() != QProcess::NotRunning && !process.canReadLine())
            process.waitForReadyRead(100);
        if (process.readLine().trimmed() == "ready")
            ms.push_back(elapsedMs(clock));
        process.waitForFinished(30000);
    }
    return ms;
}

struct SoakSample {
    int run;
    bench::ProcessSample program, office;
    int workingFiles;
};

SoakSample soakSample(int run, const QString& workingFolder) {
    return {
        run, bench::sampleProcess(getpid()), bench::sampleProcess(bench::officeChild()),
        int(QDir(workingFolder)
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                .size())};
}

void printSoakSample(const SoakSample& s) {
    std::printf("soak run %4d: program RSS %7ld KiB, %3d fds; office RSS %7ld KiB, %3d fds; "
                "working files %d\n",
                s.run, s.program.residentKiB, s.program.descriptors, s.office.residentKiB,
                s.office.descriptors, s.workingFiles);
    std::fflush(stdout);
}

// Many runs in one session, as a user making brochures all day: after the
// first twenty (caches filled) nothing may keep growing.
int soak(Form1& form, int runs, const QString& workingFolder, CountingPrompts& prompts) {
    std::printf("Leafwright soak, %d runs in one session\n\n", runs);
    CheckWordInstalled();
    std::vector<SoakSample> samples;
    long peak = 0;
    QElapsedTimer clock;
    clock.start();
    for (int run = 1; run <= runs; ++run) {
        form.PushButton6_Click();
        peak = std::max(peak, bench::sampleProcess(getpid()).residentKiB);
        Form2::instance().PushButton8_Click();
        if (run == 1 || run % 20 == 0 || run == runs) {
            samples.push_back(soakSample(run, workingFolder));
            printSoakSample(samples.back());
        }
    }
    const auto at20 = std::find_if(samples.begin(), samples.end(),
                                   [](const SoakSample& s) { return s.run >= 20; });
    if (at20 != samples.end()) {
        const SoakSample& last = samples.back();
        std::printf("\ngrowth from run %d to run %d: program RSS %+ld KiB, office RSS %+ld KiB, "
                    "program fds %+d, office fds %+d, working files %+d\n",
                    at20->run, last.run, last.program.residentKiB - at20->program.residentKiB,
                    last.office.residentKiB - at20->office.residentKiB,
                    last.program.descriptors - at20->program.descriptors,
                    last.office.descriptors - at20->office.descriptors,
                    last.workingFiles - at20->workingFiles);
    }
    std::printf("program RSS at the preview, highest of all runs  %ld KiB\n", peak);
    std::printf("mean run, press to preview and back              %.1f ms\n",
                clock.nsecsElapsed() / 1e6 / runs);
    std::printf("error reports during the runs: %d\n", prompts.errors);
    word::stopEngines();
    return prompts.errors == 0 ? 0 : 2;
}

long peakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char* argv[]) {
    returnLargeBuffersToTheSystem(); // as the program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    qputenv("TEMP", (home.path() + QStringLiteral("/temp")).toUtf8());
    QDir().mkpath(home.path() + QStringLiteral("/temp"));
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times Leafwright on the real engine."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("runs"), QStringLiteral("runs of each kind (10)"));
    const QCommandLineOption soakOption(QStringLiteral("soak"),
                                        QStringLiteral("make N runs in one session and watch "
                                                       "memory, descriptors and files"),
                                        QStringLiteral("N"));
    parser.addOption(soakOption);
    const QCommandLineOption logoOption(QStringLiteral("logo"),
                                        QStringLiteral("also time later runs with this logo"),
                                        QStringLiteral("FILE"));
    parser.addOption(logoOption);
    const QCommandLineOption noBaselineOption(
        QStringLiteral("no-baseline"),
        QStringLiteral("skip the fresh-office conversions, for quick comparisons"));
    parser.addOption(noBaselineOption);
    parser.process(app);
    const int runs =
        std::max(1, parser.positionalArguments().value(0, QStringLiteral("10")).toInt());

    CountingPrompts prompts;
    setPrompts(&prompts);
    const QString problem = word::loadEngineModules();
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "no engine: %s\n", qPrintable(problem));
        return 1;
    }

    if (parser.isSet(soakOption)) {
        Form1 form;
        form.PushButton4_Click();
        return soak(form, std::max(1, parser.value(soakOption).toInt()),
                    home.path() + QStringLiteral("/temp"), prompts);
    }

    std::printf("Leafwright benchmark, %d runs each\n\n", runs);
    report("program start to usable window (process)", timeProgramStart(runs));

    Form1 form;
    form.PushButton4_Click();
    PhaseClock phases;
    setGenerationObserver(&phases);

    std::vector<double> checkMs, firstRunMs, laterRunMs;
    const auto oneRun = [&](std::vector<double>& into) {
        QElapsedTimer clock;
        clock.start();
        form.PushButton6_Click();
        into.push_back(elapsedMs(clock));
        Form2::instance().PushButton8_Click();
    };
    for (int i = 0; i < runs; ++i) {
        word::stopEngines();
        QElapsedTimer clock;
        clock.start();
        CheckWordInstalled();
        checkMs.push_back(elapsedMs(clock));
        // As a person presses the button: after the window has shown and
        // been idle for a moment, in which the engine prepares its template.
        QElapsedTimer idle;
        idle.start();
        while (idle.elapsed() < kIdleBeforeFirstPressMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        oneRun(firstRunMs);
    }
    const auto firstPhases = phases.samples;
    const auto firstOrder = phases.order;
    phases.clear();
    // With a logo, runs with and without it take turns, so a drift of the
    // machine's speed weighs on both alike.
    std::optional<StoredLogo> logo;
    if (parser.isSet(logoOption)) {
        const PreparedLogo prepared = prepareLogo(parser.value(logoOption));
        if (!prepared.error.isEmpty()) {
            std::fprintf(stderr, "cannot use the logo: %s\n", qPrintable(prepared.error));
            return 2;
        }
        logo = StoredLogo{prepared.bytes, prepared.suffix};
    }
    // The same logo again, as when a user makes the brochure once more, and
    // a logo of other bytes each run, as in a list with a logo per row.
    PhaseClock logoPhases, newLogoPhases;
    std::vector<double> withLogoMs, newLogoMs;
    const auto logoRun = [&](const StoredLogo& stored, PhaseClock& clock,
                             std::vector<double>& into) {
        storeLogo(stored);
        setGenerationObserver(&clock);
        oneRun(into);
        setGenerationObserver(&phases);
        storeLogo(std::nullopt);
    };
    for (int i = 0; i < runs; ++i) {
        oneRun(laterRunMs);
        if (logo)
            logoRun(*logo, logoPhases, withLogoMs);
    }
    // Apart, as the office keeps only the last logo it read.
    std::vector<double> beforeNewLogoMs;
    for (int i = 0; logo && i < runs; ++i) {
        oneRun(beforeNewLogoMs);
        logoRun(otherBytes(*logo, i), newLogoPhases, newLogoMs);
    }

    report("start-up check, office cold (in process)", checkMs);
    report("first run, 0.5 s after start-up, to preview", firstRunMs);
    report("later run, press to preview", laterRunMs);
    if (logo) {
        report("later run with a logo, press to preview", withLogoMs);
        report("later run, a new logo each run", newLogoMs);
        std::printf("%-44s %+.1f ms\n", "a logo adds (medians)",
                    median(withLogoMs) - median(laterRunMs));
        std::printf("%-44s %+.1f ms\n", "a logo adds (median of run-by-run)",
                    median(differences(withLogoMs, laterRunMs)));
        std::printf("%-44s %+.1f ms\n", "a new logo adds (median of run-by-run)",
                    median(differences(newLogoMs, beforeNewLogoMs)));
    }
    reportPhases("first run", firstPhases, firstOrder);
    reportPhases("later run", phases.samples, phases.order);
    if (logo) {
        reportPhases("with a logo", logoPhases.samples, logoPhases.order);
        reportPhases("a new logo", newLogoPhases.samples, newLogoPhases.order);
    }
    const long peak = peakMemoryKiB();
    std::printf("%-44s %ld KiB\n", "peak memory of the program (max RSS)", peak);
    word::stopEngines();

    if (!parser.isSet(noBaselineOption)) {
        const std::vector<double> baselineMs =
            timeBaseline(runs, home.path() + QStringLiteral("/temp"));
        report("baseline: soffice --convert-to doc, fresh profile", baselineMs);
        std::printf("%-44s %.1fx\n", "later run against the baseline (medians)",
                    median(baselineMs) / median(laterRunMs));
    }
    std::printf("\nerror reports during the runs: %d\n", prompts.errors);
    return prompts.errors == 0 ? 0 : 2;
}
