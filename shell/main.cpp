#include "shell/ProgramEnd.h"
#include "shell/TerminationSignals.h"
#include "ui/Form1.h"
#include "wordgen/EngineModule.h"

#include <QApplication>
#include <QDebug>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tessaly"));
    QApplication::setApplicationName(QStringLiteral("Leafwright"));
    QGuiApplication::setDesktopFileName(QStringLiteral("leafwright"));
    lw::handleTerminationSignals();

    const QString engineProblem = lw::word::loadEngineModules();
    if (!engineProblem.isEmpty())
        qWarning().noquote() << "No word-processing engine:" << engineProblem;

    lw::Form1 mainWindow;
    mainWindow.Form_Load();
    mainWindow.show();
    const int exitCode = QApplication::exec();
    lw::runShutdownSteps();
    return exitCode;
}
