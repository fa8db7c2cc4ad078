#include "wordgen/libreoffice/LiteralSearch.h"

namespace lw::word::office {

namespace {

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool isWholeWord(const QString& haystack, qsizetype at, qsizetype length) {
    const qsizetype end = at + length;
    return (at == 0 || !isWordCharacter(haystack[at - 1])) &&
           (end >= haystack.size() || !isWordCharacter(haystack[end]));
}

} // namespace

QList<qsizetype> findLiteral(const QString& haystack, const SearchOptions& options) {
    QList<qsizetype> positions;
    if (options.text.isEmpty())
        return positions;
    const auto sensitivity = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = haystack.indexOf(options.text, from, sensitivity);
        if (at < 0)
            break;
        if (!options.wholeWord || isWholeWord(haystack, at, options.text.size())) {
            positions.append(at);
            from = at + options.text.size();
        } else {
            from = at + 1;
        }
    }
    return positions;
}

bool isMatch(const QString& piece, const SearchOptions& options) {
    return piece.compare(options.text,
                         options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

QString replacedAt(const QString& haystack, const QList<qsizetype>& positions, qsizetype length,
                   const QString& replacement) {
    QString result;
    result.reserve(haystack.size() + positions.size() * (replacement.size() - length));
    qsizetype copied = 0;
    for (const qsizetype at : positions) {
        result += QStringView(haystack).mid(copied, at - copied);
        result += replacement;
        copied = at + length;
    }
    result += QStringView(haystack).mid(copied);
    return result;
}

} // namespace lw::word::office
