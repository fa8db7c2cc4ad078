#include "cli/CommandLine.h"
#include "cli/RunCommandLine.h"
#include "shell/LargeBuffers.h"
#include "shell/LeftoverSweep.h"
#include "shell/ProgramEnd.h"
#include "shell/TerminationSignals.h"
#include "ui/Form1.h"
#include "wordgen/EngineModule.h"

#include <QApplication>
#include <QDebug>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    lw::returnLargeBuffersToTheSystem();
    // Named before anything looks up the program's folders: work without an
    // application object (checking a text list) finds the stored logo too.
    QCoreApplication::setOrganizationName(QStringLiteral("Tessaly"));
    QCoreApplication::setApplicationName(QStringLiteral("Leafwright"));
    // Work on the command line shows no window and must not need a display;
    // the usage, the version and a bad invocation need no application.
    if (lw::cli::runsWithoutWindow(argc, argv)) {
        const lw::cli::Invocation early = lw::cli::readCommandLine(argc, argv);
        if (!early.needsApplication())
            return lw::cli::runCommandLine(early);
        lw::cli::prepareForWorkWithoutWindow();
    } else if (const QString problem = lw::cli::missingDisplayProblem(argc, argv);
               !problem.isEmpty()) {
        std::fprintf(stderr, "leafwright: %s\n", qPrintable(problem));
        return 2;
    }
    QApplication app(argc, argv);
    // What an earlier, killed run left in the working folder.
    lw::sweepLeftovers();
    // The desktop entry's name, so a desktop matches the windows to its
    // entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(LEAFWRIGHT_APP_ID));

    const lw::cli::Invocation invocation = lw::cli::readCommandLine(QApplication::arguments());
    if (invocation.mode != lw::cli::Invocation::Mode::Windows) {
        const int status = lw::cli::runCommandLine(invocation);
        lw::runShutdownSteps();
        return status;
    }
    lw::handleTerminationSignals();

    const QString engineProblem = lw::word::loadEngineModules();
    if (!engineProblem.isEmpty())
        qWarning().noquote() << "No word-processing engine:" << engineProblem;

    lw::Form1 mainWindow;
    mainWindow.Form_Load();
    mainWindow.show();
    // For measurements and process tests: say when the window takes input,
    // and optionally leave right then.
    if (qEnvironmentVariableIsSet("LEAFWRIGHT_REPORT_READY") ||
        qEnvironmentVariableIsSet("LEAFWRIGHT_EXIT_WHEN_READY")) {
        QTimer::singleShot(0, [] {
            std::puts("ready");
            std::fflush(stdout);
            if (qEnvironmentVariableIsSet("LEAFWRIGHT_EXIT_WHEN_READY"))
                lw::endProgram(0);
        });
    }
    const int exitCode = QApplication::exec();
    lw::runShutdownSteps();
    return exitCode;
}
