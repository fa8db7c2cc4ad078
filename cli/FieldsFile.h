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

// Reads a fields file as people write it by hand, in the settings file's
// layout: the lines "Text1_N=value" of the section [Leafwright]. A value is
// taken literally, commas, backslashes and all; only the blanks around it
// and one pair of double quotes around the whole value are taken off. Blank lines, comments (";" or
// "#") and other sections are passed over; a line of the section that is
// not key=value is an error naming its line.
FieldsFile readFieldsFile(const QByteArray& bytes);

} // namespace lw::cli
