#pragma once

// Finding a literal text inside a string the way the object model's find
// does: no wildcards, no special characters, optionally case and whole-word
// sensitive. Works on our copy of a text's string.

#include <QList>
#include <QString>

namespace lw::word::office {

struct SearchOptions {
    QString text;
    bool matchCase = false;
    bool wholeWord = false;
};

// Start positions of the non-overlapping occurrences, left to right.
QList<qsizetype> findLiteral(const QString& haystack, const SearchOptions& options);

// True when the piece is the searched text (case as the options say).
bool isMatch(const QString& piece, const SearchOptions& options);

// The string after replacing the given occurrences.
QString replacedAt(const QString& haystack, const QList<qsizetype>& positions, qsizetype length,
                   const QString& replacement);

} // namespace lw::word::office
