#pragma once

#include "wordgen/EngineModule.h"

namespace lw::word::office {

// Opens a workbook hidden and read-only in the office's spreadsheet, reads
// its first sheet's shown rows as displayed, as far as the reading asks,
// and closes it. A damaged or password-protected workbook gives an error,
// never a dialog; so does one too large to read in kReadingSeconds.
WorkbookCells readWorkbook(const QString& path, const WorkbookReading& reading);

// How long reading a workbook may take, opening it included.
inline constexpr int kReadingSeconds = 20;

} // namespace lw::word::office
