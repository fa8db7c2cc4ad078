#include "cli/WorkbookList.h"

#include "wordgen/EngineModule.h"

#include <QFileInfo>

namespace lw::cli {

bool isWorkbookPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("xlsx") || suffix == QLatin1String("xls") ||
           suffix == QLatin1String("ods");
}

CompanyList readWorkbookList(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        CompanyList list;
        list.error = QStringLiteral("no such file");
        return list;
    }
    const word::WorkbookCells cells = word::readWorkbook(path);
    if (!cells.error.isEmpty()) {
        CompanyList list;
        list.error = QStringLiteral("cannot read the workbook: %1").arg(cells.error);
        return list;
    }
    std::vector<std::pair<int, QStringList>> rows;
    rows.reserve(cells.rows.size());
    for (const word::WorkbookRow& row : cells.rows)
        rows.emplace_back(row.line, row.cells);
    return readCompanyTable(rows);
}

} // namespace lw::cli
