#include "cli/BrochureNames.h"

#include <QStringList>

namespace lw::cli {
namespace {

constexpr qsizetype kMostCharacters = 100;
// A file name holds at most 255 bytes; this leaves room for " (NNN)", the
// extension and the hidden temporary name a file is first written under.
constexpr qsizetype kMostBytes = 200;

bool unfitForFileName(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"/\\:*?\"<>|").contains(c) ||
           c.category() == QChar::Other_Format || c.isNonCharacter();
}

QString trimmedForFileName(const QString& name) {
    qsizetype start = 0, end = name.size();
    while (start < end && (name.at(start).isSpace() || name.at(start) == u'.'))
        ++start;
    while (end > start && (name.at(end - 1).isSpace() || name.at(end - 1) == u'.'))
        --end;
    return name.mid(start, end - start);
}

// Names Windows keeps for devices, whatever the extension: a file "CON.doc"
// cannot be copied there.
bool reservedOnWindows(const QString& name) {
    const QString base = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const QStringList kDevices{QStringLiteral("CON"), QStringLiteral("PRN"),
                                      QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (kDevices.contains(base))
        return true;
    return base.size() == 4 &&
           (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT"))) &&
           base.at(3) >= u'1' && base.at(3) <= u'9';
}

} // namespace

QString brochureFileStem(const QString& companyName, int rowNumber) {
    QString name;
    for (const QChar c : trimmedForFileName(companyName))
        name += unfitForFileName(c) ? QChar(u'_') : c;
    name = trimmedForFileName(name);

    // Cut at whole characters: a surrogate pair stays together.
    qsizetype characters = 0, cut = 0, bytes = 0;
    while (cut < name.size() && characters < kMostCharacters) {
        const qsizetype width = name.at(cut).isHighSurrogate() && cut + 1 < name.size() ? 2 : 1;
        const qsizetype size = name.mid(cut, width).toUtf8().size();
        if (bytes + size > kMostBytes)
            break;
        bytes += size;
        cut += width;
        ++characters;
    }
    name = trimmedForFileName(name.left(cut));
    if (reservedOnWindows(name)) {
        const qsizetype dot = name.indexOf(QLatin1Char('.'));
        name.insert(dot < 0 ? name.size() : dot, QLatin1Char('_'));
    }
    return name.isEmpty() ? QStringLiteral("row-%1").arg(rowNumber) : name;
}

QString BrochureNames::claim(const QString& stem) {
    QString name = stem;
    for (int n = 2; m_taken.contains(name.toCaseFolded()); ++n)
        name = QStringLiteral("%1 (%2)").arg(stem).arg(n);
    m_taken.insert(name.toCaseFolded());
    return name;
}

} // namespace lw::cli
