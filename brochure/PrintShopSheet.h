#pragma once

// The brochure as a print shop takes it, as plain data: the trimmed page, the
// bleed, the marks and the folds of the roll fold, in inches. The template's
// generator checks that its panels fold where these say.

#include <array>

namespace lw {

// The trimmed page: the brochure's own landscape US Letter page.
inline constexpr double kTrimWidthInches = 11.0, kTrimHeightInches = 8.5;
// What print shops ask for: colour runs on this far beyond the trim, so a cut
// a little off leaves no white edge.
inline constexpr double kBleedInches = 0.125;
// Crop and fold marks start this far beyond the bleed and are this long; the
// page has this much white room around the bleed for them.
inline constexpr double kMarkGapInches = 0.0625, kMarkLengthInches = 0.25;
inline constexpr double kMarkRoomInches = 0.375;

// The folds of each page from its left trim. Page 1 (outside): the inside
// flap, 1/16 in narrower so it clears the fold, then the back and the cover;
// page 2 (inside): the narrow panel on the right.
inline constexpr int kBrochurePages = 2;
inline constexpr std::array<std::array<double, 2>, kBrochurePages> kFoldInches{
    {{3.625, 7.3125}, {3.6875, 7.375}}};

// The template keeps everything this far inside the paper's edge for office
// printers; in the print design, a coloured area that reaches this margin
// reaches the trim and runs on to the bleed's edge.
inline constexpr double kTemplateSafeMarginInches = 0.35;

// A picture coarser than this at its printed size is refused for a print
// shop; below kLogoPpi (300) it is printed with a warning.
inline constexpr int kPrintShopLeastPpi = 150;

} // namespace lw
