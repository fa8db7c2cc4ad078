// The entry point the program looks up when it loads this module.

#include "wordgen/EngineModule.h"
#include "wordgen/libreoffice/MadePaths.h"
#include "wordgen/libreoffice/OfficeEngine.h"
#include "wordgen/libreoffice/OfficeSession.h"
#include "wordgen/libreoffice/OfficeWorkbook.h"
#include "wordgen/libreoffice/PhaseReport.h"

extern "C" __attribute__((visibility("default"))) void
leafwright_engine_entry(lw::word::EngineEntry* entry) {
    using namespace lw::word;
    entry->createApplication = []() -> Ref<WordApplication> {
        return std::make_shared<office::OfficeSession>();
    };
    entry->shutdown = [] { office::OfficeEngine::instance().stop(office::StopReason::ProgramEnd); };
    entry->readWorkbook = office::readWorkbook;
    office::setPhaseReporter(entry->reportPhase);
    office::setPathRecorder(entry->recordPathToMake);
}
