#include "brochure/BrandColours.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace lw {
namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kInk = 0xff30353a;

// The palette the template was designed in, tuned by hand.
BrandColours templatePalette() {
    BrandColours palette;
    palette[ColourRole::Main] = kTemplateMain;
    palette[ColourRole::MainDark] = 0xff0e3c45;
    palette[ColourRole::Accent] = kTemplateAccent;
    palette[ColourRole::Tint] = 0xfff5f0e6;
    palette[ColourRole::White] = kWhite;
    palette[ColourRole::MainText] = kTemplateMain;
    palette[ColourRole::AccentText] = 0xff8f5210;
    palette[ColourRole::Ink] = kInk;
    palette[ColourRole::OnMain] = kWhite;
    palette[ColourRole::OnMainAccent] = 0xfff4b870;
    palette[ColourRole::OnMainDark] = kWhite;
    return palette;
}

double luminance(QRgb colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

// The colour a share t of the way from one colour to another.
QRgb mix(QRgb from, QRgb to, double t) {
    const auto channel = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
                channel(qBlue(from), qBlue(to)));
}

double leastContrast(QRgb colour, std::initializer_list<QRgb> grounds) {
    double least = 21.0;
    for (QRgb ground : grounds)
        least = std::min(least, contrastRatio(colour, ground));
    return least;
}

// A text colour as near the preferred one as legibility allows on every
// ground: moved toward black or white (darkFirst says which is tried first)
// just far enough. One of black and white always reaches the minimum on a
// single ground, and black does on the light grounds the design pairs.
QRgb legible(QRgb preferred, std::initializer_list<QRgb> grounds, bool darkFirst) {
    if (leastContrast(preferred, grounds) >= kMinimumTextContrast)
        return preferred;
    constexpr int kSteps = 100;
    for (QRgb goal : darkFirst ? std::array{kBlack, kWhite} : std::array{kWhite, kBlack})
        for (int step = 1; step <= kSteps; ++step) {
            const QRgb moved = mix(preferred, goal, double(step) / kSteps);
            if (leastContrast(moved, grounds) >= kMinimumTextContrast)
                return moved;
        }
    return leastContrast(kBlack, grounds) >= leastContrast(kWhite, grounds) ? kBlack : kWhite;
}

// White text where it is legible, else a deep shade of the ground's own hue.
QRgb textOn(QRgb ground) {
    if (contrastRatio(kWhite, ground) >= kMinimumTextContrast)
        return kWhite;
    return legible(mix(ground, kBlack, 0.8), {ground}, true);
}

} // namespace

double contrastRatio(QRgb a, QRgb b) {
    const double first = luminance(a), second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

BrandColours brandColours(const ColourChoice& choice) {
    const QRgb main = choice.main.rgb();
    const QRgb accent = choice.accent.rgb();
    if (main == kTemplateMain && accent == kTemplateAccent)
        return templatePalette();

    BrandColours colours;
    colours[ColourRole::Main] = main;
    colours[ColourRole::MainDark] = mix(main, kBlack, 0.25);
    colours[ColourRole::Accent] = accent;
    // The accent's hue, softened and very light, like paper: the tint of the
    // template's boxes is its amber at this lightness and saturation.
    // A grey accent has no hue: its tint is a light grey.
    const QColor accentColour = QColor::fromRgb(accent).toHsl();
    const QRgb tint = QColor::fromHslF(std::max(accentColour.hslHueF(), 0.0f),
                                       std::min(accentColour.hslSaturationF(), 0.43f), 0.93f)
                          .rgb();
    colours[ColourRole::Tint] = tint;
    colours[ColourRole::White] = kWhite;
    colours[ColourRole::MainText] = legible(main, {kWhite, tint}, true);
    colours[ColourRole::AccentText] = legible(accent, {kWhite, tint}, true);
    colours[ColourRole::Ink] = legible(kInk, {kWhite, tint}, true);
    colours[ColourRole::OnMain] = textOn(main);
    // Away from the cover's colour: lighter on a dark one, darker on a pale one.
    colours[ColourRole::OnMainAccent] =
        legible(accent, {main}, colours[ColourRole::OnMain] != kWhite);
    colours[ColourRole::OnMainDark] = textOn(colours[ColourRole::MainDark]);
    return colours;
}

} // namespace lw
