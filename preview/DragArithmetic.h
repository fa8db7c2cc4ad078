#pragma once

#include <QtGlobal>

namespace lw {

// Where a dragged picture may go along one axis: never past the viewport's
// top-left corner, and not further than its far edge meeting the viewport's
// inner far edge. A picture that fits the inner size stays at 0.
float clampDragOffset(float offset, int viewportInnerSize, int pictureSize);

// How far along one axis a released picture is, in whole percent of its
// overflow past the viewport's outer size; 0 when there is no overflow to
// measure against.
qint16 releasePercent(int offset, int pictureSize, int viewportOuterSize);

} // namespace lw
