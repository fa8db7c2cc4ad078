#include "brochure/SingleLineText.h"

namespace lw {
namespace {
bool drawnAsBlank(QChar ch) {
    const char16_t u = ch.unicode();
    return (u < 0x20 && u != u'\t') || u == 0x85 || u == QChar::LineSeparator ||
           u == QChar::ParagraphSeparator || u == QChar::ObjectReplacementCharacter;
}
} // namespace

QString singleLineText(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && !drawnAsBlank(text.at(i)))
        ++i;
    if (i == text.size())
        return text;
    QString line = text.left(i);
    line.reserve(text.size());
    for (; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (!drawnAsBlank(ch)) {
            line += ch;
            continue;
        }
        line += u' ';
        if (ch == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
    }
    return line;
}

} // namespace lw
