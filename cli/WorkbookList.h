#pragma once

#include "cli/CompanyList.h"

#include <QString>

namespace lw::cli {

// True for the workbooks the office reads: .xlsx, .xls and .ods.
bool isWorkbookPath(const QString& path);

// A list kept in a workbook: its first sheet, read by the office as a person
// sees it (hidden rows left out, cells as displayed), judged as a CSV list
// is. A workbook the office cannot open is an error of the whole list.
CompanyList readWorkbookList(const QString& path);

} // namespace lw::cli
