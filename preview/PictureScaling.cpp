#include "preview/PictureScaling.h"

#include <cmath>

namespace lw {
namespace {

QSize times(const QSize& size, double ratio) {
    return QSize(int(std::lround(size.width() * ratio)), int(std::lround(size.height() * ratio)));
}

} // namespace

PictureScaling pictureScaling(const QSize& shownLogical, const QSize& sourceLogical,
                              const QSize& sourcePixels, double sourceRatio, double screenRatio) {
    PictureScaling scaling;
    scaling.source = QRect(QPoint(0, 0), times(sourceLogical, sourceRatio))
                         .intersected(QRect({0, 0}, sourcePixels));
    scaling.target = times(shownLogical, screenRatio);
    if (scaling.source.isEmpty())
        scaling.target = QSize();
    return scaling;
}

} // namespace lw
