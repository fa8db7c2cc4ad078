#pragma once

#include "brochure/BrochureProduct.h"

#include <array>

namespace lw::form1 {

// The main window's design, in twips, as laid out for a 96 dpi screen.
inline constexpr int kClientWidth = 8040;
inline constexpr int kClientHeight = 4770;

struct Box {
    int left, top, width, height;
};

inline constexpr Box kFrame1{120, 1110, 7800, 3555};

// Field text boxes inside Frame1, by field index; their tab order is their
// screen place.
inline constexpr std::array<Box, kFieldCount> kFields{{
    {1680, 300, 5895, 375},
    {1680, 2100, 2535, 375},
    {1680, 1650, 5895, 375},
    {1680, 2550, 2535, 375},
    {5040, 2550, 2535, 375},
    {1680, 3000, 5895, 375},
    {1680, 1200, 5895, 375},
    {1680, 750, 5895, 375},
    {5040, 2100, 540, 375},
    {6600, 2100, 975, 375},
}};

struct LabelLayout {
    int index;      // in the Label2 array, which does not follow the fields
    int fieldIndex; // the field it names, whose caption it shows
    Box box;
    int tabIndex;
};

// Caption labels inside Frame1, by label index.
inline constexpr std::array<LabelLayout, kFieldCount> kLabels{{
    {0, 0, {240, 345, 1380, 225}, 16},
    {1, 6, {240, 1245, 1320, 225}, 15},
    {2, 7, {240, 795, 765, 225}, 19},
    {3, 2, {240, 1695, 1320, 225}, 14},
    {4, 1, {240, 2145, 360, 225}, 13},
    {5, 4, {4320, 2595, 660, 225}, 17},
    {6, 3, {240, 2595, 900, 225}, 12},
    {7, 5, {240, 3045, 1275, 225}, 18},
    {8, 8, {4440, 2145, 495, 225}, 20},
    {9, 9, {5760, 2145, 780, 225}, 21},
}};

struct ButtonLayout {
    const char* caption;
    Box box;
    int tabIndex;
};

inline constexpr ButtonLayout kPushButton6{"Start Creating Template", {120, 120, 7800, 405}, 10};
inline constexpr ButtonLayout kPushButton3{"Clear/Reset Data", {120, 630, 3840, 405}, 22};
inline constexpr ButtonLayout kPushButton4{"Load Sample/Example Data", {4080, 630, 3840, 405}, 23};

} // namespace lw::form1
