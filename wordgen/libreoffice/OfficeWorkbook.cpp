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
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XSheetCellCursor.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <optional>

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

// A cell's text as shown, or nothing when it holds more than most
// characters: a cursor cannot move further right than the text goes, so a
// long text is found without being copied across.
std::optional<QString> shownText(const Reference<table::XCell>& cell, int most) {
    if (cell->getType() == table::CellContentType_EMPTY)
        return QString();
    const Reference<text::XText> text(cell, UNO_QUERY_THROW);
    if (cell->getType() != table::CellContentType_VALUE) {
        const Reference<text::XTextCursor> cursor = text->createTextCursor();
        cursor->gotoStart(false);
        if (cursor->goRight(sal_Int16(most + 1), true) && cursor->getString().getLength() > most)
            return std::nullopt;
    }
    return fromUno(text->getString());
}

// Rows read in one call, so no single call comes near the engine's
// deadline and the reading's own limit is checked between them.
constexpr sal_Int32 kRowsPerCall = 200;

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
        Reference<container::XIndexAccess> rows;
        engineCall(generation, [&] {
            const Reference<container::XIndexAccess> sheets(document->getSheets(), UNO_QUERY_THROW);
            if (sheets->getCount() == 0)
                return;
            sheet.set(sheets->getByIndex(0), UNO_QUERY_THROW);
            const Reference<sheet::XSheetCellCursor> cursor = sheet->createCursor();
            Reference<sheet::XUsedAreaCursor>(cursor, UNO_QUERY_THROW)->gotoEndOfUsedArea(false);
            end =
                Reference<sheet::XCellRangeAddressable>(cursor, UNO_QUERY_THROW)->getRangeAddress();
            rows.set(Reference<table::XColumnRowRange>(sheet, UNO_QUERY_THROW)->getRows(),
                     UNO_QUERY_THROW);
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
                for (sal_Int32 r = first; r <= end.EndRow && r < first + kRowsPerCall; ++r) {
                    const Reference<beans::XPropertySet> row(rows->getByIndex(r), UNO_QUERY_THROW);
                    bool visible = true;
                    row->getPropertyValue("IsVisible") >>= visible;
                    if (!visible)
                        continue;
                    const bool header = result.rows.empty();
                    WorkbookRow shown;
                    shown.line = r + 1;
                    for (sal_Int32 c = 0; c <= end.EndColumn; ++c) {
                        if (!header && !wanted[std::size_t(c)]) {
                            shown.cells << QString();
                            continue;
                        }
                        const std::optional<QString> text =
                            shownText(sheet->getCellByPosition(c, r), reading.mostCharacters);
                        if (!text)
                            shown.overlong << c;
                        shown.cells << text.value_or(QString());
                        if (header)
                            wanted.push_back(!reading.wanted ||
                                             reading.wanted(c, shown.cells.last()));
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
