#include "cli/RunCommandLine.h"

#include "cli/BatchJobs.h"
#include "cli/BatchRun.h"
#include "cli/Interruption.h"
#include "cli/OneBrochure.h"
#include "cli/PrintBrochure.h"
#include "cli/ProfileCommands.h"
#include "cli/Terminal.h"
#include "wordgen/EngineModule.h"

#include <QtGlobal>

namespace lw::cli {
namespace {

constexpr auto kProgramName = "leafwright";

QtMessageHandler g_qtHandler = nullptr;

void passOnQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    g_qtHandler(type, context, text);
}

} // namespace

void prepareForWorkWithoutWindow() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_qtHandler = qInstallMessageHandler(passOnQtMessage);
}

int runCommandLine(const Invocation& invocation) {
    switch (invocation.mode) {
    case Invocation::Mode::Help:
        printOut(usageText(QLatin1String(kProgramName)));
        return 0;
    case Invocation::Mode::Version:
        printOut(QStringLiteral("%1 %2\n").arg(QLatin1String(kProgramName),
                                               QLatin1String(LEAFWRIGHT_VERSION)));
        return 0;
    case Invocation::Mode::Bad:
        printError(invocation.brief ? invocation.problem
                                    : invocation.problem + QStringLiteral("\n\n") +
                                          usageText(QLatin1String(kProgramName)).chopped(1));
        return 2;
    case Invocation::Mode::Windows:
        return 0;
    case Invocation::Mode::Schemes:
        return runSchemes();
    case Invocation::Mode::Profiles:
        return runProfiles();
    case Invocation::Mode::SaveProfile:
        return runSaveProfile(invocation);
    case Invocation::Mode::One:
    case Invocation::Mode::Batch:
    case Invocation::Mode::Worker:
    case Invocation::Mode::Print:
        break;
    }
    // Judging a text list needs no office; a workbook is read by it.
    if (invocation.mode == Invocation::Mode::Batch && invocation.check &&
        !invocation.officeReadsList)
        return runBatch(invocation);
    watchForInterruption();
    if (const QString problem = word::loadEngineModules(); !problem.isEmpty())
        printError(QStringLiteral("no word-processing engine: ") + problem);
    switch (invocation.mode) {
    case Invocation::Mode::One:
        return runOneBrochure(invocation);
    case Invocation::Mode::Worker:
        return runWorker(invocation.overwrite);
    case Invocation::Mode::Print:
        return runPrintBrochure(invocation);
    default:
        return runBatch(invocation);
    }
}

} // namespace lw::cli
