#pragma once

// Named pairs of colours that suit the brochure's design, and colours as
// people write them.

#include "brochure/BrandColours.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace lw {

struct ColourScheme {
    QString name;
    ColourChoice colours;
};

// Every scheme, the brochure's own teal and amber first.
const std::vector<ColourScheme>& colourSchemes();
// The brochure's own colours.
ColourChoice defaultColours();

// The scheme of that name, compared without regard to case, blanks and
// punctuation ("teal-amber" finds "Teal & Amber").
std::optional<ColourChoice> schemeNamed(const QString& name);
// The name of the scheme of these colours, or empty for colours of one's own.
QString schemeNameOf(const ColourChoice& colours);
QStringList schemeNames();

// "#RRGGBB" (either case), and nothing else: a name or a short form would
// let a typing slip pass as some colour.
std::optional<QColor> parseColour(const QString& text);
// "#RRGGBB" in capitals.
QString colourText(const QColor& colour);
// Why a text is not a colour, naming it, for messages.
QString notAColour(const QString& text);

// In words, for a screen reader and a menu: the scheme's name, or the two
// colours' codes.
QString describeColours(const ColourChoice& colours);

} // namespace lw
