#pragma once

// The company's colours: the two a user picks, and every colour of the
// brochure's design derived from them so that all its text stays legible.

#include <QColor>

#include <array>

namespace lw {

// What a user picks: the main colour (the cover, cards and bands) and the
// accent (rules and bars).
struct ColourChoice {
    QColor main;
    QColor accent;
    bool operator==(const ColourChoice& other) const {
        return main.rgb() == other.main.rgb() && accent.rgb() == other.accent.rgb();
    }
};

// The colours the design is drawn in, each for one job.
enum class ColourRole {
    Main,         // the cover card, the bands, the call-to-action box
    MainDark,     // the cover's band under the strap
    Accent,       // rules and bars
    Tint,         // the light boxes and the offer card
    White,        // the paper itself
    MainText,     // headings, item titles, notes, contact lines on white or tint
    AccentText,   // small-caps labels and step numbers on white or tint
    Ink,          // body copy on white or tint
    OnMain,       // the cover's name and the call-to-action text on Main
    OnMainAccent, // the cover's tag line and the call-to-action heading on Main
    OnMainDark,   // the strap's lines on MainDark
};
inline constexpr int kColourRoleCount = int(ColourRole::OnMainDark) + 1;

// Text is made at least this legible against what is behind it.
inline constexpr double kMinimumTextContrast = 4.5;

class BrandColours {
public:
    QRgb operator[](ColourRole role) const { return m_colours[std::size_t(role)]; }
    QRgb& operator[](ColourRole role) { return m_colours[std::size_t(role)]; }

private:
    std::array<QRgb, kColourRoleCount> m_colours{};
};

// The template's own main colour and accent: the brochure as designed.
inline constexpr QRgb kTemplateMain = 0xff14505c;   // teal
inline constexpr QRgb kTemplateAccent = 0xffe0913a; // amber

// The design's colours for a choice. The brochure's own teal and amber give
// the template's colours exactly; any other choice gets shades and a tint
// derived from it, and text colours with at least kMinimumTextContrast
// against what each text stands on, however pale or dark the choice.
BrandColours brandColours(const ColourChoice& choice);

// The contrast ratio of two colours, 1 to 21, as accessibility guidelines
// measure it.
double contrastRatio(QRgb a, QRgb b);

} // namespace lw
