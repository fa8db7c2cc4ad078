#include "cli/WorkbookList.h"

#include "cli/ListColumns.h"
#include "cli/ListFile.h"
#include "wordgen/EngineModule.h"

#include <QFileInfo>

namespace lw::cli {

bool isWorkbookPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("xlsx") || suffix == QLatin1String("xls") ||
           suffix == QLatin1String("ods");
}

CompanyList readWorkbookList(const QString& path) {
    // Judged before the office sees it: a workbook that unpacks to more
    // than a list ever holds would take the office minutes and gigabytes.
    if (const QString problem = workbookFileProblem(path); !problem.isEmpty()) {
        CompanyList list;
        list.error = problem;
        return list;
    }
    word::WorkbookReading reading;
    reading.mostCharacters = kMostCellCharacters;
    // Columns the brochure has no field for are never read past the header.
    reading.wanted = [](int, const QString& header) { return fieldOfColumnName(header) != -1; };
    const word::WorkbookCells cells = word::readWorkbook(path, reading);
    if (!cells.error.isEmpty()) {
        CompanyList list;
        list.error = QStringLiteral("cannot read the workbook: %1").arg(cells.error);
        return list;
    }
    std::vector<TableRow> rows;
    rows.reserve(cells.rows.size());
    for (const word::WorkbookRow& row : cells.rows)
        rows.push_back({row.line, row.cells, row.overlong});
    return readCompanyTable(rows);
}

} // namespace lw::cli
