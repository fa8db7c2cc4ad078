#include "brochure/SelfContainedSvg.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <zlib.h>

#include <algorithm>
#include <array>

namespace lw {
namespace {

// Deeper than any drawing needs; the renderer recurses once a level.
constexpr int kMostDepth = 200;
// More elements than a logo has; bounds the time the renderer takes.
constexpr int kMostElements = 200000;

// Elements that load, play or run content of their own.
constexpr std::array kDroppedElements{
    "script",   "foreignObject", "animation",     "audio", "video",         "iframe", "handler",
    "listener", "prefetch",      "font-face-uri", "tref",  "color-profile", "cursor"};

bool isDropped(QStringView name) {
    return std::any_of(kDroppedElements.begin(), kDroppedElements.end(),
                       [name](const char* dropped) { return name == QLatin1String(dropped); });
}

// A picture embedded in the document itself, of a kind that refers to
// nothing else: not SVG, which could refer onwards again.
bool isEmbeddedRaster(QStringView value) {
    static const QRegularExpression raster(
        QStringLiteral("^data:image/(png|jpeg|jpg|gif|webp|bmp)[;,]"),
        QRegularExpression::CaseInsensitiveOption);
    return raster.match(value.trimmed().toString()).hasMatch();
}

bool isFragment(QStringView value) {
    return value.trimmed().startsWith(u'#');
}

// True when every url(...) in a value or style sheet points into the
// document; "@import" always loads another sheet.
bool stylePointsInside(const QString& text) {
    if (text.contains(QLatin1String("@import"), Qt::CaseInsensitive))
        return false;
    static const QRegularExpression url(QStringLiteral("url\\s*\\(\\s*['\"]?\\s*([^'\")\\s]*)"),
                                        QRegularExpression::CaseInsensitiveOption);
    for (auto it = url.globalMatch(text); it.hasNext();)
        if (!isFragment(it.next().captured(1)))
            return false;
    return true;
}

// Inflates gzip data, at most limit bytes of it; empty when it is damaged or
// larger.
QByteArray gunzipped(const QByteArray& compressed, qsizetype limit, bool* tooLarge) {
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return {};
    QByteArray out;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.constData()));
    stream.avail_in = uInt(compressed.size());
    char chunk[1 << 16];
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        result = inflate(&stream, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END)
            break;
        out.append(chunk, qsizetype(sizeof chunk - stream.avail_out));
        if (out.size() > limit) {
            *tooLarge = true;
            result = Z_DATA_ERROR;
            break;
        }
        if (result == Z_OK && stream.avail_in == 0 && stream.avail_out != 0)
            result = Z_DATA_ERROR; // the data ended before the stream did
    }
    inflateEnd(&stream);
    return result == Z_STREAM_END ? out : QByteArray();
}

bool isGzip(const QByteArray& bytes) {
    return bytes.startsWith("\x1f\x8b");
}

SelfContainedSvg refused(const QString& problem) {
    return {{}, problem};
}

} // namespace

SelfContainedSvg selfContainedSvg(const QByteArray& svg) {
    if (svg.size() > kMostSvgBytes)
        return refused(QStringLiteral("it is larger than an SVG logo can be (%1 MB)")
                           .arg(kMostSvgBytes >> 20));
    QByteArray plain = svg;
    if (isGzip(svg)) {
        bool tooLarge = false;
        plain = gunzipped(svg, kMostSvgBytes, &tooLarge);
        if (tooLarge)
            return refused(QStringLiteral("it unpacks to more than an SVG logo can be (%1 MB)")
                               .arg(kMostSvgBytes >> 20));
        if (plain.isEmpty())
            return refused(QStringLiteral("its compressed SVG is damaged"));
    }

    QXmlStreamReader reader(plain);
    QByteArray out;
    QXmlStreamWriter writer(&out);
    int depth = 0, elements = 0;
    bool root = true;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument:
            writer.writeStartDocument();
            break;
        case QXmlStreamReader::StartElement: {
            const QStringView name = reader.name();
            if (root && name != QLatin1String("svg"))
                return refused(QStringLiteral("it is not an SVG picture"));
            root = false;
            if (++depth > kMostDepth || ++elements > kMostElements)
                return refused(QStringLiteral("it holds more than a logo can (over %1 elements "
                                              "or %2 levels)")
                                   .arg(kMostElements)
                                   .arg(kMostDepth));
            const bool pictureElement =
                name == QLatin1String("image") || name == QLatin1String("feImage");
            const QXmlStreamAttributes attributes = reader.attributes();
            bool pointsOutside = isDropped(name);
            for (const QXmlStreamAttribute& attribute : attributes) {
                const QStringView local = attribute.name();
                if (local == QLatin1String("href") || local == QLatin1String("src"))
                    pointsOutside =
                        pointsOutside || !(isFragment(attribute.value()) ||
                                           (pictureElement && isEmbeddedRaster(attribute.value())));
            }
            QString sheet;
            if (!pointsOutside && name == QLatin1String("style")) {
                sheet = reader.readElementText(QXmlStreamReader::SkipChildElements);
                pointsOutside = !stylePointsInside(sheet);
            }
            if (pointsOutside) {
                // The element and everything in it go.
                if (name != QLatin1String("style"))
                    reader.skipCurrentElement();
                --depth;
                break;
            }
            writer.writeStartElement(reader.qualifiedName().toString());
            for (const QXmlStreamNamespaceDeclaration& space : reader.namespaceDeclarations())
                writer.writeAttribute(space.prefix().isEmpty()
                                          ? QStringLiteral("xmlns")
                                          : QStringLiteral("xmlns:") + space.prefix().toString(),
                                      space.namespaceUri().toString());
            for (const QXmlStreamAttribute& attribute : attributes) {
                const QStringView value = attribute.value();
                if (attribute.qualifiedName() == QLatin1String("xml:base") ||
                    !stylePointsInside(value.toString()))
                    continue;
                writer.writeAttribute(attribute.qualifiedName().toString(), value.toString());
            }
            if (name == QLatin1String("style")) {
                writer.writeCharacters(sheet);
                writer.writeEndElement();
                --depth;
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            writer.writeEndElement();
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (depth > 0)
                writer.writeCharacters(reader.text().toString());
            break;
        default:
            // The document type, entity references, processing
            // instructions and comments are left out.
            break;
        }
    }
    if (reader.hasError())
        return refused(QStringLiteral("its SVG is damaged (line %1: %2)")
                           .arg(reader.lineNumber())
                           .arg(reader.errorString()));
    if (root)
        return refused(QStringLiteral("it is not an SVG picture"));
    writer.writeEndDocument();
    return {out, {}};
}

} // namespace lw
