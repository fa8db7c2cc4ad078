#pragma once

#include <QSet>
#include <QString>

namespace lw::cli {

// The name a company's brochure file gets, before its extension: the
// company name with every character a file name cannot hold here or on a
// Windows or a memory-card file system replaced by "_", blanks and dots at
// either end trimmed, and cut to 100 characters (and to a length in bytes
// every common file system takes); a name Windows keeps for a device (CON,
// NUL, COM1, LPT1, ... with any extension) gets a "_" after it. An empty
// result gives "row-N".
QString brochureFileStem(const QString& companyName, int rowNumber);

// Hands out each stem once in a list: a stem seen before (letter case
// ignored, as many file systems do) gets " (2)", " (3)", ... appended.
class BrochureNames {
public:
    QString claim(const QString& stem);

private:
    QSet<QString> m_taken;
};

} // namespace lw::cli
