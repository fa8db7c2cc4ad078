#include "brochure/ColourScheme.h"

#include "brochure/NameKey.h"

#include <QRegularExpression>

namespace lw {
namespace {

// Deep main colours carry white text on the cover; each accent is bright
// enough for its rules to show beside the main colour.
std::vector<ColourScheme> makeSchemes() {
    const auto scheme = [](const char* name, QRgb main, QRgb accent) {
        return ColourScheme{QString::fromUtf8(name), {QColor(main), QColor(accent)}};
    };
    return {
        scheme("Teal & Amber", kTemplateMain, kTemplateAccent),
        scheme("Maroon & Gold", 0xff7b1e34, 0xffd9a13b),
        scheme("Navy & Coral", 0xff1f3a5f, 0xffe8735a),
        scheme("Forest & Honey", 0xff2d5a3d, 0xffe3a72f),
        scheme("Plum & Rose", 0xff5a2d5c, 0xffe48aa0),
        scheme("Slate & Tangerine", 0xff36454f, 0xfff28c28),
        scheme("Espresso & Caramel", 0xff4a3226, 0xffc98b4f),
        scheme("Ocean & Sun", 0xff0b4f8a, 0xfff2b632),
        scheme("Olive & Terracotta", 0xff4f5d2f, 0xffc65d3b),
        scheme("Charcoal & Red", 0xff2f3337, 0xffd64541),
    };
}

} // namespace

const std::vector<ColourScheme>& colourSchemes() {
    static const std::vector<ColourScheme> schemes = makeSchemes();
    return schemes;
}

ColourChoice defaultColours() {
    return colourSchemes().front().colours;
}

std::optional<ColourChoice> schemeNamed(const QString& name) {
    const QString key = nameKey(name);
    for (const ColourScheme& scheme : colourSchemes())
        if (!key.isEmpty() && nameKey(scheme.name) == key)
            return scheme.colours;
    return std::nullopt;
}

QString schemeNameOf(const ColourChoice& colours) {
    for (const ColourScheme& scheme : colourSchemes())
        if (scheme.colours == colours)
            return scheme.name;
    return {};
}

QStringList schemeNames() {
    QStringList names;
    for (const ColourScheme& scheme : colourSchemes())
        names << scheme.name;
    return names;
}

std::optional<QColor> parseColour(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    return QColor::fromString(text);
}

QString colourText(const QColor& colour) {
    return colour.name(QColor::HexRgb).toUpper();
}

QString notAColour(const QString& text) {
    return QStringLiteral("'%1' is not a colour; write it as #RRGGBB, for example #8B1E3F")
        .arg(text);
}

QString describeColours(const ColourChoice& colours) {
    const QString scheme = schemeNameOf(colours);
    if (!scheme.isEmpty())
        return scheme;
    return QStringLiteral("main colour %1, accent %2")
        .arg(colourText(colours.main), colourText(colours.accent));
}

} // namespace lw
