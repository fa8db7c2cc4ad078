#pragma once

#include "preview/BoxTwips.h"

namespace lw::form2 {

// The preview window's design, in twips, as laid out for a 96 dpi screen.
inline constexpr int kClientWidth = 9840;
inline constexpr int kClientHeight = 9390;

struct Box {
    int left, top, width, height;
};

// Picture boxes. The viewport has a sunken two-pixel border, so its inner
// size is 60 twips less each way; the other two have none.
inline constexpr BoxTwips kZoom_Ori{10320, 480, 735, 375, 0};
inline constexpr BoxTwips kPicture2{120, 120, 9330, 7425, 30};
inline constexpr BoxTwips kPicture1{0, 0, 2340, 3435, 0};

inline constexpr Box kFrame1{120, 7860, 9600, 855};
inline constexpr Box kVScroll1{9450, 120, 255, 7425};
inline constexpr Box kHScroll1{120, 7545, 9330, 255};

struct ButtonLayout {
    const char* caption;
    Box box;
};

// PushButton1 and PushButton2 sit inside Frame1.
inline constexpr ButtonLayout kPushButton1{"Zoom In", {240, 300, 4440, 405}};
inline constexpr ButtonLayout kPushButton2{"Zoom Out", {4800, 300, 4560, 405}};
inline constexpr ButtonLayout kPushButton6{"Save Results To Word File", {4920, 8850, 4800, 405}};
inline constexpr ButtonLayout kPushButton8{"< Back", {120, 8850, 4680, 405}};

// Tab order by TabIndex.
inline constexpr int kHScroll1TabIndex = 0;
inline constexpr int kVScroll1TabIndex = 1;
inline constexpr int kPicture2TabIndex = 2;
inline constexpr int kPicture1TabIndex = 3;
inline constexpr int kFrame1TabIndex = 4;
inline constexpr int kZoom_OriTabIndex = 5;
inline constexpr int kPushButton1TabIndex = 6;
inline constexpr int kPushButton2TabIndex = 7;
inline constexpr int kPushButton6TabIndex = 8;
inline constexpr int kPushButton8TabIndex = 9;

} // namespace lw::form2
