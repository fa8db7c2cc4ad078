#include "wordgen/libreoffice/OfficeWorkbook.h"

#include "wordgen/libreoffice/EngineCall.h"
#include "wordgen/libreoffice/UnoConvert.h"

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
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/util/XCloseable.hpp>

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

} // namespace

WorkbookCells readWorkbook(const QString& path) {
    WorkbookCells result;
    const QFileInfo file(path);
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
        engineCall(generation, [&] {
            const Reference<container::XIndexAccess> sheets(document->getSheets(), UNO_QUERY_THROW);
            if (sheets->getCount() == 0)
                return;
            const Reference<sheet::XSpreadsheet> sheet(sheets->getByIndex(0), UNO_QUERY_THROW);
            const Reference<sheet::XSheetCellCursor> cursor = sheet->createCursor();
            Reference<sheet::XUsedAreaCursor>(cursor, UNO_QUERY_THROW)->gotoEndOfUsedArea(false);
            const table::CellRangeAddress end =
                Reference<sheet::XCellRangeAddressable>(cursor, UNO_QUERY_THROW)->getRangeAddress();
            const Reference<container::XIndexAccess> rows(
                Reference<table::XColumnRowRange>(sheet, UNO_QUERY_THROW)->getRows(),
                UNO_QUERY_THROW);
            for (sal_Int32 r = 0; r <= end.EndRow; ++r) {
                const Reference<beans::XPropertySet> row(rows->getByIndex(r), UNO_QUERY_THROW);
                bool visible = true;
                row->getPropertyValue("IsVisible") >>= visible;
                if (!visible)
                    continue;
                WorkbookRow shown;
                shown.line = r + 1;
                for (sal_Int32 c = 0; c <= end.EndColumn; ++c) {
                    const Reference<text::XText> cell(sheet->getCellByPosition(c, r),
                                                      UNO_QUERY_THROW);
                    shown.cells << fromUno(cell->getString());
                }
                result.rows.push_back(std::move(shown));
            }
        });
    } catch (const AutomationError& error) {
        result.rows.clear();
        result.error = error.description();
    } catch (const std::exception& error) {
        result.rows.clear();
        result.error = QString::fromUtf8(error.what());
    }
    return result;
}

} // namespace lw::word::office
