#pragma once

#include "brochure/BrochureProduct.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace lw::cli {

struct FieldsFile {
    // Empty when the file could be used; otherwise why not, with its line.
    QString error;
    std::array<QString, kFieldCount> fields;
};

// The most a fields file may hold: ten values of a few hundred characters
// take a few kilobytes.
inline constexpr qint64 kMostFieldsFileBytes = 64 << 10;

// Reads a fields file as people write it by hand: one line "key=value" a
// field, the key being a list's column name ("company_name"), the window's
// caption ("Company Name") or the settings file's key ("Text1_0"), letter
// case not counting. The lines may stand alone or in a section
// [Leafwright], as in the settings file; other sections are passed over. A
// value is taken literally, commas, backslashes and all; only the blanks
// around it and one pair of double quotes around the whole value are taken
// off. Blank lines and comments (";" or "#") are passed over; a line that is
// not key=value, or whose key is none of these, is an error naming its line.
FieldsFile readFieldsFile(const QByteArray& bytes);

// The keys a fields file takes, for the usage and messages.
QString fieldsFileKeys();

} // namespace lw::cli
