#include "wordgen/libreoffice/OfficeWorkbook.h"

#include "wordgen/libreoffice/EngineCall.h"
#include "wordgen/libreoffice/UnoConvert.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/sheet/FormulaResult.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetCellCursor.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace lw::word::office {
namespace {

// Closes the workbook whatever happens while it is read.
struct OpenWorkbook {
    Reference<lang::XComponent> component;
    ~OpenWorkbook() {
        try {
            if (const Reference<util::XCloseable> closeable{component, UNO_QUERY}; closeable.is())
                closeable->close(true);
            else if (component.is())
                component->dispose();
        } catch (...) {
            // The office went away; nothing is left open then.
        }
    }
};

// Rows read in one call: a block's values come over at once, far faster
// than cell by cell, and the reading's own time limit is checked between
// blocks.
constexpr sal_Int32 kRowsPerCall = 500;

// The rows of the sheet a person sees, and the cells whose formula failed
// (their value comes over empty; their shown text names the error).
struct SheetShape {
    std::vector<bool> visibleRow;
    std::set<std::pair<sal_Int32, sal_Int32>> errorCells; // (column, row)
};

SheetShape shapeOf(const Reference<sheet::XSpreadsheet>& sheet, sal_Int32 lastRow) {
    SheetShape shape;
    shape.visibleRow.assign(std::size_t(lastRow) + 1, false);
    const Reference<sheet::XCellRangesQuery> query(sheet, UNO_QUERY_THROW);
    for (const table::CellRangeAddress& range : query->queryVisibleCells()->getRangeAddresses())
        for (sal_Int32 r = range.StartRow; r <= range.EndRow && r <= lastRow; ++r)
            shape.visibleRow[std::size_t(r)] = true;
    for (const table::CellRangeAddress& range :
         query->queryFormulaCells(sheet::FormulaResult::ERROR)->getRangeAddresses())
        for (sal_Int32 r = range.StartRow; r <= range.EndRow; ++r)
            for (sal_Int32 c = range.StartColumn; c <= range.EndColumn; ++c)
                shape.errorCells.insert({c, r});
    return shape;
}

// A cell's text as displayed: a number formatted (a ZIP code 00000 keeps
// its zero), an error named. Asked of the cell itself, which is slower, so
// only for these.
QString displayedText(const Reference<sheet::XSpreadsheet>& sheet, sal_Int32 column,
                      sal_Int32 row) {
    const Reference<text::XTextRange> cell(sheet->getCellByPosition(column, row), UNO_QUERY_THROW);
    return fromUno(cell->getString());
}

QString tooLargeToRead(int rowsRead) {
    return QStringLiteral("it is too large to read in time (%L1 rows read in %2 s); save it as "
                          "CSV (a text list), which is read at once")
        .arg(rowsRead)
        .arg(kReadingSeconds);
}

} // namespace

WorkbookCells readWorkbook(const QString& path, const WorkbookReading& reading) {
    WorkbookCells result;
    const QFileInfo file(path);
    QElapsedTimer clock;
    clock.start();
    int rowsRead = 0;
    try {
        auto& engine = OfficeEngine::instance();
        engine.ensureRunning();
        const std::uint64_t generation = engine.generation();
        OpenWorkbook workbook;
        workbook.component = engineCall(generation, [&] {
            // No interaction handler: a password or a repair question makes
            // the load fail instead of waiting for an answer nobody gives.
            const auto arguments = properties(
                {property("Hidden", uno::Any(true)), property("ReadOnly", uno::Any(true)),
                 property("MacroExecutionMode", uno::Any(document::MacroExecMode::NEVER_EXECUTE)),
                 property("UpdateDocMode", uno::Any(document::UpdateDocMode::NO_UPDATE)),
                 property("RepairPackage", uno::Any(false))});
            return engine.desktop()->loadComponentFromURL(fileUrl(file.absoluteFilePath()),
                                                          "_blank", 0, arguments);
        });
        const Reference<sheet::XSpreadsheetDocument> document(workbook.component, UNO_QUERY);
        if (!document.is()) {
            result.error = QStringLiteral("it is not a workbook the office can open (damaged, or "
                                          "protected by a password)");
            return result;
        }
        Reference<sheet::XSpreadsheet> sheet;
        table::CellRangeAddress end;
        SheetShape shape;
        engineCall(generation, [&] {
            const Reference<container::XIndexAccess> sheets(document->getSheets(), UNO_QUERY_THROW);
            if (sheets->getCount() == 0)
                return;
            sheet.set(sheets->getByIndex(0), UNO_QUERY_THROW);
            const Reference<sheet::XSheetCellCursor> cursor = sheet->createCursor();
            Reference<sheet::XUsedAreaCursor>(cursor, UNO_QUERY_THROW)->gotoEndOfUsedArea(false);
            end =
                Reference<sheet::XCellRangeAddressable>(cursor, UNO_QUERY_THROW)->getRangeAddress();
            shape = shapeOf(sheet, end.EndRow);
        });
        if (!sheet.is())
            return result;
        // Which columns the rows after the header are read in.
        std::vector<bool> wanted;
        for (sal_Int32 first = 0; first <= end.EndRow; first += kRowsPerCall) {
            if (clock.elapsed() > kReadingSeconds * 1000) {
                result.rows.clear();
                result.error = tooLargeToRead(rowsRead);
                return result;
            }
            engineCall(generation, [&] {
                const sal_Int32 last = std::min(end.EndRow, first + kRowsPerCall - 1);
                const uno::Sequence<uno::Sequence<uno::Any>> values =
                    Reference<sheet::XCellRangeData>(
                        sheet->getCellRangeByPosition(0, first, end.EndColumn, last),
                        UNO_QUERY_THROW)
                        ->getDataArray();
                for (sal_Int32 r = first; r <= last; ++r) {
                    if (!shape.visibleRow[std::size_t(r)])
                        continue;
                    const bool header = result.rows.empty();
                    const uno::Sequence<uno::Any>& row = values[r - first];
                    WorkbookRow shown;
                    shown.line = r + 1;
                    for (sal_Int32 c = 0; c <= end.EndColumn && c < row.getLength(); ++c) {
                        QString text;
                        OUString string;
                        if (!header && !wanted[std::size_t(c)]) {
                            // Never needed: not read.
                        } else if (shape.errorCells.count({c, r}) != 0 ||
                                   row[c].getValueTypeClass() == uno::TypeClass_DOUBLE) {
                            text = displayedText(sheet, c, r);
                        } else if (row[c] >>= string) {
                            if (string.getLength() > reading.mostCharacters)
                                shown.overlong << c;
                            else
                                text = fromUno(string);
                        }
                        shown.cells << text;
                        if (header)
                            wanted.push_back(!reading.wanted || reading.wanted(c, text));
                    }
                    result.rows.push_back(std::move(shown));
                    ++rowsRead;
                }
            });
        }
    } catch (const AutomationError& error) {
        result.rows.clear();
        // A load or a call that ran into the engine's deadline: too much to
        // read, not an engine that needs attention.
        result.error = clock.elapsed() >= CallWatchdog::callLimit().count()
                           ? tooLargeToRead(rowsRead)
                           : error.description();
    } catch (const std::exception& error) {
        result.rows.clear();
        result.error = QString::fromUtf8(error.what());
    }
    return result;
}

} // namespace lw::word::office
