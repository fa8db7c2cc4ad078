#pragma once

#include <QByteArray>

namespace lw::cli {

// A list as the program parses it: UTF-8 without a byte-order mark. UTF-8
// (with or without the mark) is kept as it is, so that a value spoilt by a
// bad byte is rejected on its own row; UTF-16 is converted, with its mark or
// without (recognised by the zero bytes of its Latin text);
// anything else with bytes that make no UTF-8 at all is taken as
// Windows-1252, what spreadsheet programs on Windows save as "CSV".
QByteArray listAsUtf8(const QByteArray& bytes);

// The separator a list's first line uses: the one of comma, semicolon and
// tab that it holds most often outside quotes; comma when it holds none.
char listSeparator(const QByteArray& utf8);

} // namespace lw::cli
