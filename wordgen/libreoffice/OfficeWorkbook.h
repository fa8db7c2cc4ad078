#pragma once

#include "wordgen/EngineModule.h"

namespace lw::word::office {

// Opens a workbook hidden and read-only in the office's spreadsheet, reads
// its first sheet's shown rows as displayed, and closes it. A damaged or
// password-protected workbook gives an error, never a dialog.
WorkbookCells readWorkbook(const QString& path);

} // namespace lw::word::office
