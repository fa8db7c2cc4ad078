#pragma once

#include "wordgen/WordObjects.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace lw::word {

// The first sheet of a workbook as a person sees it: each shown row with
// its row number and its cells' text as displayed (so a ZIP code formatted
// 00000 stays "05412"). Hidden rows are left out.
struct WorkbookRow {
    int line = 0;
    QStringList cells;
    // Columns whose cell holds more than WorkbookReading::mostCharacters:
    // left empty in cells, never read whole.
    QList<int> overlong;
};
struct WorkbookCells {
    QString error; // set when the workbook cannot be read; rows are empty then
    std::vector<WorkbookRow> rows;
};

// How much of a workbook is read: the first shown row (the header) whole,
// of the rows after it only the columns wanted (decided from the header's
// text; none set: all), and of no cell more than mostCharacters.
struct WorkbookReading {
    int mostCharacters = 1000;
    std::function<bool(int column, const QString& header)> wanted;
};

// What an engine module hands over when it is loaded: how to start a session
// and how to stop everything it started.
struct EngineEntry {
    std::function<Ref<WordApplication>()> createApplication;
    std::function<void()> shutdown;
    // Set by the program before it calls the module: where the module reports
    // the parts of its work, for measurements. May be empty.
    std::function<void(const char* name)> reportPhase;
    // Set by the program: where the module lists a path it is about to make,
    // so that it is removed if the program is killed. May be empty.
    std::function<void(const QString& path)> recordPathToMake;
    // Reads a workbook (.xlsx, .xls, .ods) with the engine's spreadsheet.
    std::function<WorkbookCells(const QString& path, const WorkbookReading& reading)> readWorkbook;
};

// Each module exports: extern "C" void leafwright_engine_entry(lw::word::EngineEntry*)
using EngineEntryFunction = void (*)(EngineEntry*);
inline constexpr auto kEngineEntrySymbol = "leafwright_engine_entry";
// The module's file, beside the program.
inline constexpr auto kEngineModuleFile = "leafwright-office.so";

// Loads the engine module beside the program, registers "Word.Application"
// and adds the engine's stop to the program's shutdown steps. A module that is
// missing or cannot load (no office installed) registers nothing; the reason
// is returned for diagnostics.
QString loadEngineModules();

// Reads a workbook through the loaded engine module.
WorkbookCells readWorkbook(const QString& path, const WorkbookReading& reading);

// Stops the engine's processes now; the next creation starts them again.
void stopEngines();

} // namespace lw::word
