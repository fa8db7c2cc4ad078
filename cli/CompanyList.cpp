#include "cli/CompanyList.h"

#include "brochure/ColourScheme.h"
#include "brochure/SingleLineText.h"
#include "cli/ListColumns.h"
#include "cli/ListEncoding.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

#include <csv.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace lw::cli {
namespace {

// The records of the list as libcsv hands them over, each with the line it
// starts on.
struct Record {
    int line = 0;
    std::vector<QByteArray> values;
    // Columns whose text was too long to be read whole.
    std::vector<std::size_t> overlong;
};

struct Collector {
    std::vector<Record> records;
    Record current;
};

void onValue(void* bytes, std::size_t length, void* data) {
    auto* collector = static_cast<Collector*>(data);
    collector->current.values.emplace_back(static_cast<const char*>(bytes), qsizetype(length));
}

void onRecordEnd(int, void* data) {
    auto* collector = static_cast<Collector*>(data);
    collector->records.push_back(std::move(collector->current));
    collector->current = Record();
}

// RFC 4180: blanks around a value belong to it.
int noSpace(unsigned char) {
    return 0;
}

std::optional<QString> decodeUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool holdsLineBreak(const QString& text) {
    for (const QChar c : text)
        if (c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x85) ||
            c == QChar(0x2028) || c == QChar(0x2029))
            return true;
    return false;
}

// Characters as a reader counts them: a pair of surrogates is one.
qsizetype characterCount(const QString& text) {
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (!text.at(i).isLowSurrogate())
            ++count;
    return count;
}

// The error a spreadsheet shows in a cell whose formula failed, when the
// text is one; empty for any other text.
QString spreadsheetError(const QString& text) {
    static const QRegularExpression error(
        QStringLiteral("^(#(DIV/0!|NAME\\?|N/A|VALUE!|REF!|NUM!|NULL!|SPILL!|CALC!|FIELD!|"
                       "BLOCKED!|CONNECT!|BUSY!|UNKNOWN!|FMT!|GETTING_DATA)|Err:\\d{3})$"));
    const QString trimmed = text.trimmed();
    return error.match(trimmed).hasMatch() ? trimmed : QString();
}

// A few of many names, and how many more: a warning stays one short line.
QString fewNamed(const QStringList& names) {
    constexpr int kNamed = 5;
    constexpr int kLongestName = 40;
    QStringList shown;
    for (qsizetype i = 0; i < names.size() && i < kNamed; ++i)
        shown << (names[i].size() > kLongestName ? names[i].left(kLongestName) + QChar(0x2026)
                                                 : names[i]);
    if (names.size() <= kNamed)
        return shown.join(QStringLiteral(", "));
    return QStringLiteral("%1 and %L2 more columns")
        .arg(shown.join(QStringLiteral(", ")))
        .arg(names.size() - kNamed);
}

// Parses the bytes into records; the error names the line where the CSV
// went wrong.
std::vector<Record> parseRecords(const QByteArray& bytes, char separator, QString* error) {
    csv_parser parser;
    // A quote inside an unquoted value (a hand-typed 12" Pizza) is taken as
    // written; a quoted value never closed stops the list, as everything
    // after it would be one value.
    if (csv_init(&parser, CSV_STRICT_FINI) != 0) {
        *error = QStringLiteral("out of memory");
        return {};
    }
    const std::unique_ptr<csv_parser, void (*)(csv_parser*)> freeing(&parser, csv_free);
    csv_set_space_func(&parser, noSpace);
    csv_set_delim(&parser, static_cast<unsigned char>(separator));

    Collector collector;
    int line = 1;
    bool atRecordStart = true;
    // One byte at a time, so each record learns the line it starts on.
    for (const char byte : bytes) {
        if (atRecordStart && byte != '\r' && byte != '\n') {
            collector.current.line = line;
            atRecordStart = false;
        }
        const std::size_t recordsBefore = collector.records.size();
        if (csv_parse(&parser, &byte, 1, onValue, onRecordEnd, &collector) != 1) {
            *error = QStringLiteral("line %1: not valid CSV (%2)")
                         .arg(line)
                         .arg(QString::fromLatin1(csv_strerror(csv_error(&parser))));
            return {};
        }
        if (collector.records.size() != recordsBefore)
            atRecordStart = true;
        if (byte == '\n')
            ++line;
    }
    // libcsv reports a quoted value left open only in its strict mode, which
    // also refuses stray quotes; its state tells it here (2: inside a value).
    constexpr int kInsideValue = 2;
    const bool leftOpen = parser.quoted && parser.pstate == kInsideValue;
    if (leftOpen || csv_fini(&parser, onValue, onRecordEnd, &collector) != 0) {
        *error = QStringLiteral("line %1: not valid CSV (a quoted value is never closed)")
                     .arg(collector.current.line);
        return {};
    }
    return std::move(collector.records);
}

} // namespace

QString knownColumns() {
    QStringList names;
    for (const int index : kScreenOrder)
        names << QLatin1String(kPlaceholderTable[std::size_t(index)].column);
    return names.join(QStringLiteral(", "));
}

namespace {

CompanyList companiesOf(const std::vector<Record>& records);

} // namespace

CompanyList readCompanyList(const QByteArray& bytes) {
    const QByteArray text = listAsUtf8(bytes);
    QString error;
    const std::vector<Record> records = parseRecords(text, listSeparator(text), &error);
    if (!error.isEmpty()) {
        CompanyList list;
        list.error = error;
        return list;
    }
    return companiesOf(records);
}

CompanyList readCompanyTable(const std::vector<TableRow>& rows) {
    std::vector<Record> records;
    for (const TableRow& row : rows) {
        Record record{row.line, {}, {}};
        for (const QString& cell : row.cells)
            record.values.push_back(cell.toUtf8());
        for (const int column : row.overlong)
            record.overlong.push_back(std::size_t(column));
        records.push_back(std::move(record));
    }
    return companiesOf(records);
}

namespace {

CompanyList companiesOf(const std::vector<Record>& records) {
    CompanyList list;
    if (records.empty()) {
        list.error = QStringLiteral("the list is empty; its first line must name the columns (%1)")
                         .arg(knownColumns());
        return list;
    }

    // The header: which field each column fills; -1 for a column the
    // brochure has no field for, passed over.
    std::vector<int> columnField;
    std::vector<QString> columnName;
    QStringList skipped;
    const int headerLine = records.front().line;
    for (const QByteArray& value : records.front().values) {
        const QString name = decodeUtf8(value).value_or(QString()).trimmed();
        const int field = fieldOfColumnName(name);
        columnField.push_back(field);
        columnName.push_back(
            field < 0 ? name : QLatin1String(kPlaceholderTable[std::size_t(field)].column));
        if (field == kLogoColumn || field == kColourColumn || field == kAccentColumn)
            continue;
        if (field >= 0)
            list.hasColumn[std::size_t(field)] = true;
        if (field < 0) {
            skipped << (name.isEmpty()
                            ? QStringLiteral("column %1 (no name)").arg(columnField.size())
                            : QStringLiteral("\"%1\"").arg(name));
            continue;
        }
        for (std::size_t i = 0; i + 1 < columnField.size(); ++i)
            if (columnField[i] == field) {
                list.error = QStringLiteral("line %1: column \"%2\" is named twice")
                                 .arg(headerLine)
                                 .arg(name);
                return list;
            }
    }
    if (std::find(columnField.begin(), columnField.end(), kTitleFieldIndex) == columnField.end()) {
        list.error = QStringLiteral("line %1: no column holds the company name; name one "
                                    "\"company_name\" (the columns are %2)")
                         .arg(headerLine)
                         .arg(knownColumns());
        return list;
    }
    if (!skipped.isEmpty())
        list.warning = QStringLiteral("line %1: skipped %2, which the brochure has no field for; "
                                      "the columns are %3")
                           .arg(headerLine)
                           .arg(fewNamed(skipped), knownColumns());

    int number = 0;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const Record& record = records[r];
        bool blank = true;
        for (const QByteArray& value : record.values)
            blank = blank && value.trimmed().isEmpty();
        if (blank)
            continue;

        CompanyRow row;
        row.line = record.line;
        row.number = ++number;
        const auto reject = [&](const QString& reason) {
            if (row.rejection.isEmpty())
                row.rejection = reason;
        };
        for (std::size_t c = 0; c < record.values.size(); ++c) {
            if (std::find(record.overlong.begin(), record.overlong.end(), c) !=
                record.overlong.end()) {
                reject(QStringLiteral("%1 is over %L2 characters long; at most %3 fit")
                           .arg(c < columnName.size() ? columnName[c]
                                                      : QStringLiteral("column %1").arg(c + 1))
                           .arg(kMostCellCharacters)
                           .arg(c < columnField.size() && columnField[c] >= 0
                                    ? kPlaceholderTable[std::size_t(columnField[c])].listLimit
                                    : 0));
                continue;
            }
            if (c < columnField.size() && columnField[c] == kLogoColumn) {
                row.logo = decodeUtf8(record.values[c]).value_or(QString()).trimmed();
                continue;
            }
            if (c < columnField.size() &&
                (columnField[c] == kColourColumn || columnField[c] == kAccentColumn)) {
                const QString value = decodeUtf8(record.values[c]).value_or(QString()).trimmed();
                (columnField[c] == kColourColumn ? row.colour : row.accent) = value;
                if (!value.isEmpty() && !parseColour(value))
                    reject(QStringLiteral("%1: %2").arg(columnName[c], notAColour(value)));
                continue;
            }
            if (c < columnField.size() && columnField[c] < 0)
                continue;
            if (c >= columnField.size()) {
                if (!record.values[c].trimmed().isEmpty())
                    reject(QStringLiteral("it has %1 values, but the header names %2 columns")
                               .arg(record.values.size())
                               .arg(columnField.size()));
                continue;
            }
            const BrochureField& field = kPlaceholderTable[std::size_t(columnField[c])];
            const std::optional<QString> text = decodeUtf8(record.values[c]);
            if (!text) {
                reject(QStringLiteral("%1 is not UTF-8 text").arg(columnName[c]));
                continue;
            }
            if (holdsLineBreak(*text)) {
                reject(QStringLiteral("%1 holds a line break; each field of the brochure is one "
                                      "line")
                           .arg(columnName[c]));
                continue;
            }
            if (const QString error = spreadsheetError(*text); !error.isEmpty()) {
                reject(QStringLiteral("%1 (column %2) shows the spreadsheet error %3 instead of a "
                                      "value; correct it in the spreadsheet")
                           .arg(columnName[c])
                           .arg(c + 1)
                           .arg(error));
                continue;
            }
            const qsizetype length = characterCount(*text);
            if (length > field.listLimit) {
                reject(QStringLiteral("%1 is %2 characters long; at most %3 fit")
                           .arg(columnName[c])
                           .arg(length)
                           .arg(field.listLimit));
                continue;
            }
            row.fields[std::size_t(field.index)] = singleLineText(*text);
        }
        if (row.fields[std::size_t(kTitleFieldIndex)].trimmed().isEmpty())
            reject(
                QStringLiteral("%1 is empty; every brochure needs the company's name")
                    .arg(QLatin1String(kPlaceholderTable[std::size_t(kTitleFieldIndex)].column)));
        list.rows.push_back(std::move(row));
    }
    return list;
}

} // namespace

} // namespace lw::cli
