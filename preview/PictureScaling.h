#pragma once

#include <QRect>
#include <QSize>

namespace lw {

// How the shown picture is made from the zoom source: which of the source's
// pixels, and how many pixels to make of them.
struct PictureScaling {
    QRect source; // in the source's own (device) pixels
    QSize target; // device pixels of the screen
};

// The part of the source picture that covers sourceLogical logical pixels
// (never past its edges), and the target that covers shownLogical logical
// pixels on a screen with screenRatio device pixels per logical pixel.
// sourceRatio is the source's own ratio. An empty target means nothing to
// paint.
PictureScaling pictureScaling(const QSize& shownLogical, const QSize& sourceLogical,
                              const QSize& sourcePixels, double sourceRatio, double screenRatio);

} // namespace lw
