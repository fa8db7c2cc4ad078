#pragma once

namespace lw {

// A picture box's place and size in its container's twips. A bordered box
// draws its border inside its outer size (Width/Height), so its inner size
// (ScaleWidth/ScaleHeight), where children and pictures live, is the outer
// size less the border on both sides.
struct BoxTwips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int border = 0;

    int scaleWidth() const { return width - 2 * border; }
    int scaleHeight() const { return height - 2 * border; }
};

} // namespace lw
