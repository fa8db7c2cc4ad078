#pragma once

#include <QRect>
#include <cmath>

namespace lw {

// Window geometry is kept in twips, as the layout tables give it: 1440 per
// inch, 15 per device-independent pixel at 96 dpi.
inline constexpr int kTwipsPerPixel = 15;

inline int twipsToPixels(double twips) {
    return int(std::lround(twips / kTwipsPerPixel));
}
inline int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

} // namespace lw
