#include "wordgen/EngineModule.h"

#include "shell/AppInfo.h"
#include "shell/InstanceRecord.h"
#include "shell/ProgramEnd.h"
#include "wordgen/GenerationRun.h"
#include "wordgen/ObjectRegistry.h"

#include <QLibrary>

namespace lw::word {
namespace {
std::function<void()> g_stopEngine;
std::function<WorkbookCells(const QString&, const WorkbookReading&)> g_readWorkbook;
} // namespace

WorkbookCells readWorkbook(const QString& path, const WorkbookReading& reading) {
    if (!g_readWorkbook)
        return {QStringLiteral("no office is installed to read workbooks"), {}};
    return g_readWorkbook(path, reading);
}

void stopEngines() {
    if (g_stopEngine)
        g_stopEngine();
}

QString loadEngineModules() {
    // The module stays loaded for the life of the program: objects it made
    // may live until the very end.
    static QLibrary module;
    if (module.isLoaded())
        return {};
    module.setFileName(programFile(QString::fromLatin1(kEngineModuleFile)));
    if (!module.load())
        return module.errorString();
    auto entryFunction = reinterpret_cast<EngineEntryFunction>(module.resolve(kEngineEntrySymbol));
    if (!entryFunction)
        return module.errorString();
    EngineEntry entry;
    entry.reportPhase = [](const char* name) { reportPhase(name); };
    entry.recordPathToMake = [](const QString& path) { lw::recordPathToMake(path); };
    entryFunction(&entry);
    if (!entry.createApplication)
        return QStringLiteral("The engine module offers no application");
    ObjectRegistry::instance().registerClass(QString::fromLatin1(kWordApplicationClass),
                                             entry.createApplication);
    g_readWorkbook = entry.readWorkbook;
    if (entry.shutdown) {
        g_stopEngine = entry.shutdown;
        addShutdownStep(entry.shutdown);
    }
    return {};
}

} // namespace lw::word
