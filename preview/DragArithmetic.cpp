#include "preview/DragArithmetic.h"

#include "preview/ViewRounding.h"

#include <cstdlib>

namespace lw {

float clampDragOffset(float offset, int viewportInnerSize, int pictureSize) {
    // Without this a picture smaller than the viewport would jump to the far
    // edge on the slightest move.
    if (pictureSize <= viewportInnerSize)
        return 0.0f;
    if (offset > 0.0f)
        return 0.0f;
    const float farEdge = float(viewportInnerSize - pictureSize);
    if (farEdge > offset)
        return farEdge;
    return offset;
}

qint16 releasePercent(int offset, int pictureSize, int viewportOuterSize) {
    const int overflow = pictureSize - viewportOuterSize;
    if (overflow == 0)
        return 0;
    return toInt16(roundHalfEven(std::abs(offset) / double(overflow) * 100.0));
}

} // namespace lw
