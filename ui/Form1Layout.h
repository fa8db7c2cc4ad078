#pragma once

#include <array>

namespace lw::form1 {

// The main window's design, in twips, as laid out for a 96 dpi screen.
inline constexpr int kClientWidth = 8040;
inline constexpr int kClientHeight = 4770;

struct Box {
    int left, top, width, height;
};

inline constexpr Box kFrame1{120, 1110, 7800, 3555};
inline constexpr int kFrame1TabIndex = 11;

struct FieldLayout {
    int index;
    Box box;
    int tabIndex;
};

// Field text boxes inside Frame1, by field index.
inline constexpr std::array<FieldLayout, 10> kFields{{
    {0, {1680, 300, 5895, 375}, 0},
    {1, {1680, 2100, 2535, 375}, 4},
    {2, {1680, 1650, 5895, 375}, 3},
    {3, {1680, 2550, 2535, 375}, 7},
    {4, {5040, 2550, 2535, 375}, 8},
    {5, {1680, 3000, 5895, 375}, 9},
    {6, {1680, 1200, 5895, 375}, 2},
    {7, {1680, 750, 5895, 375}, 1},
    {8, {5040, 2100, 540, 375}, 5},
    {9, {6600, 2100, 975, 375}, 6},
}};

struct LabelLayout {
    int index;
    const char* caption;
    Box box;
    int tabIndex;
};

// Caption labels inside Frame1, by label index (not the field index).
inline constexpr std::array<LabelLayout, 10> kLabels{{
    {0, "Company Name:", {240, 345, 1380, 225}, 16},
    {1, "Address Line 1:", {240, 1245, 1320, 225}, 15},
    {2, "Tag Line:", {240, 795, 765, 225}, 19},
    {3, "Address Line 2:", {240, 1695, 1320, 225}, 14},
    {4, "City:", {240, 2145, 360, 225}, 13},
    {5, "Fax No.:", {4320, 2595, 660, 225}, 17},
    {6, "Phone No.:", {240, 2595, 900, 225}, 12},
    {7, "Email Address:", {240, 3045, 1275, 225}, 18},
    {8, "State:", {4440, 2145, 495, 225}, 20},
    {9, "Zip Code:", {5760, 2145, 780, 225}, 21},
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
