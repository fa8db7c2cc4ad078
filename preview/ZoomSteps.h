#pragma once

namespace lw {

// Zoom factors run in quarter steps from a quarter to four times the
// snapshot's own size: sixteen exact single-precision values.
inline constexpr float kZoomStep = 0.25f;
inline constexpr float kMinZoom = 0.25f;
inline constexpr float kMaxZoom = 4.0f;

// The painted picture stays below this size, in twips.
inline constexpr int kMaxViewWidth = 14000;
inline constexpr int kMaxViewHeight = 10400;

inline bool exceedsViewLimit(int viewWidth, int viewHeight) {
    return viewWidth >= kMaxViewWidth || viewHeight >= kMaxViewHeight;
}

} // namespace lw
