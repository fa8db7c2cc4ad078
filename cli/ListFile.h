#pragma once

#include <QByteArray>
#include <QString>

namespace lw::cli {

// The most a text list may hold (about 100,000 companies), and what a
// workbook may unpack to (an .xls, which is no ZIP archive, by its size):
// tens of thousands of companies. A larger workbook would take the office
// longer to read than anyone waits, and hundreds of megabytes more.
inline constexpr qint64 kMostTextListBytes = qint64(16) << 20;
inline constexpr qint64 kMostWorkbookBytes = qint64(32) << 20;

// A text list's bytes, or why there are none: a folder or device rather
// than a file, a file larger than a list may be, or contents of another
// kind than text (named as found, e.g. "an Excel workbook (.xlsx)"). "-"
// reads standard input, within the same limit.
struct TextListFile {
    QByteArray bytes;
    QString error;
};
TextListFile readTextListFile(const QString& path);

// Why a workbook cannot be given to the office, judged before it is
// opened: no such file, a folder, contents of another kind than a workbook
// (named as found), or larger than a list when unpacked. Empty when it
// can be given.
QString workbookFileProblem(const QString& path);

// What the first bytes of a file (a ZIP's directory where it has one) show
// it to be, in the user's words; empty for text.
QString kindOfContents(const QString& path);

} // namespace lw::cli
