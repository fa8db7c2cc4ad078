#include "cli/ListEncoding.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace lw::cli {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; the five unassigned
// bytes stand for themselves, as Windows maps them.
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text += code >= 0x80 && code < 0xA0 ? QChar(kWindows1252High[code - 0x80]) : QChar(code);
    }
    return text;
}

// True when some bytes above 0x7F form a well-made UTF-8 sequence: a file
// written as UTF-8 and spoilt in places, not a file in another encoding.
bool holdsUtf8Sequence(const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int followers = lead >= 0xF0 && lead <= 0xF4   ? 3
                              : lead >= 0xE0 && lead <= 0xEF ? 2
                              : lead >= 0xC2 && lead <= 0xDF ? 1
                                                             : 0;
        if (followers == 0 || i + followers >= bytes.size())
            continue;
        bool made = true;
        for (int k = 1; k <= followers; ++k)
            made = made && (static_cast<unsigned char>(bytes[i + k]) & 0xC0) == 0x80;
        if (made)
            return true;
    }
    return false;
}

bool isUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes); // decoding happens on conversion
    Q_UNUSED(text);
    return !decoder.hasError();
}

// UTF-16 written without a byte-order mark, as some exports do: text of
// Latin letters, digits and separators has a zero byte in every other place.
// The byte order is the side the zeros are on.
enum class Unmarked { No, LittleEndian, BigEndian };
Unmarked unmarkedUtf16(const QByteArray& bytes) {
    const qsizetype length = std::min<qsizetype>(bytes.size(), 4096) & ~qsizetype(1);
    if (length < 2)
        return Unmarked::No;
    qsizetype zeroFirst = 0, zeroSecond = 0;
    for (qsizetype i = 0; i < length; i += 2) {
        zeroFirst += bytes[i] == 0 && bytes[i + 1] != 0;
        zeroSecond += bytes[i] != 0 && bytes[i + 1] == 0;
    }
    const qsizetype pairs = length / 2;
    if (zeroSecond * 2 > pairs && zeroFirst * 10 < pairs)
        return Unmarked::LittleEndian;
    if (zeroFirst * 2 > pairs && zeroSecond * 10 < pairs)
        return Unmarked::BigEndian;
    return Unmarked::No;
}

QByteArray fromUtf16(const QByteArray& bytes, bool littleEndian) {
    QStringDecoder decoder(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    const QString text = decoder.decode(bytes);
    return text.toUtf8();
}

} // namespace

QByteArray listAsUtf8(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return bytes.mid(3);
    const bool littleEndian = bytes.startsWith("\xFF\xFE");
    if (littleEndian || bytes.startsWith("\xFE\xFF"))
        return fromUtf16(bytes.mid(2), littleEndian);
    if (const Unmarked order = unmarkedUtf16(bytes); order != Unmarked::No)
        return fromUtf16(bytes, order == Unmarked::LittleEndian);
    if (isUtf8(bytes) || holdsUtf8Sequence(bytes))
        return bytes;
    return fromWindows1252(bytes).toUtf8();
}

char listSeparator(const QByteArray& utf8) {
    std::array<int, 3> counts{};
    constexpr std::array<char, 3> kSeparators{',', ';', '\t'};
    bool quoted = false;
    for (const char byte : utf8) {
        if (byte == '"')
            quoted = !quoted;
        else if (!quoted && (byte == '\n' || byte == '\r'))
            break;
        else if (!quoted)
            for (std::size_t k = 0; k < kSeparators.size(); ++k)
                counts[k] += byte == kSeparators[k];
    }
    std::size_t best = 0;
    for (std::size_t k = 1; k < counts.size(); ++k)
        if (counts[k] > counts[best])
            best = k;
    return kSeparators[best];
}

} // namespace lw::cli
