#pragma once

#include "brochure/BrochureProduct.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <utility>
#include <vector>

namespace lw::cli {

// One company of a list: the ten fields by field index, or why its brochure
// cannot be made.
struct CompanyRow {
    // The line of the list the row starts on (a quoted value may run over
    // several), and its place among the companies, 1 for the first.
    int line = 0;
    int number = 0;
    std::array<QString, kFieldCount> fields;
    // The logo column's value as written (a path, relative to the list's
    // folder when not absolute), or empty.
    QString logo;
    // The colour and accent columns' values, checked to be colours, or empty.
    QString colour;
    QString accent;
    // Empty when the row can be made; otherwise the reason, for the user.
    QString rejection;
};

struct CompanyList {
    // Set when the list cannot be used at all: not CSV, no header, a column
    // of unknown name. Nothing may be written then.
    QString error;
    // Set when columns were passed over, to be told once.
    QString warning;
    std::vector<CompanyRow> rows;
    // Which fields a column of the list gives.
    std::array<bool, kFieldCount> hasColumn{};
};

// Reads a list of companies: CSV as RFC 4180 has it (values in double quotes
// may hold separators, doubled quotes and line breaks; CRLF or LF; blanks are
// part of a value), separated by commas, semicolons or tabs as the header
// shows, in UTF-8, UTF-16 with a byte-order mark or Windows-1252. The first
// row names the columns (see fieldOfColumnName); a column may be missing (its
// field stays empty) except the company name's; a column of another name is
// passed over with a warning naming a few and counting the rest. Rows with
// nothing in them are passed over. A row is rejected, never cut, when a value
// holds a line break, is longer than its field's limit in lists, is not UTF-8,
// shows a spreadsheet error ("#DIV/0!", "Err:502", ...), when the company
// name is empty, or when the row has more values than the header has columns.
CompanyList readCompanyList(const QByteArray& bytes);

// The most characters of a cell read from a workbook: more than any field
// takes, so a longer cell is rejected without being read whole.
inline constexpr int kMostCellCharacters = 1000;

// A row of a table read from a workbook: its number, its cells' text as
// shown, and the columns whose cells held more than kMostCellCharacters
// (their text is not read).
struct TableRow {
    int line = 0;
    QStringList cells;
    QList<int> overlong;
};

// The same for a table read from a workbook.
CompanyList readCompanyTable(const std::vector<TableRow>& rows);

// The column names in the order the window shows the fields, joined by
// ", ", for messages and the usage.
QString knownColumns();

} // namespace lw::cli
