#pragma once

// A page picture carries more pixels than it has logical pixels (the ones the
// preview's arithmetic works in, 96 per inch). Qt keeps that ratio only in
// memory; a file or another program's clipboard keeps the resolution
// (pixels per metre in a BMP or PNG header). These helpers turn one into the
// other, so a picture read back by content has its logical size again.
// Header-only: the engine module uses them too.

#include <QImage>

#include <cmath>

namespace lw {

// 96 pixels per inch, the resolution of one logical pixel.
inline constexpr double kLogicalDotsPerMetre = 96 / 0.0254;

// The resolution that says "ratio device pixels per logical pixel".
inline int dotsPerMetreForRatio(double ratio) {
    return int(std::lround(kLogicalDotsPerMetre * ratio));
}

// The ratio a resolution stands for, to two decimals. Up to 96 pixels per
// inch, and without a resolution, a pixel is a logical pixel: Qt's default of
// 72 per inch and ordinary screen pictures keep their size.
inline double ratioForDotsPerMetre(int dotsPerMetre) {
    const double ratio = dotsPerMetre / kLogicalDotsPerMetre;
    if (!(ratio > 1.0))
        return 1.0;
    return std::round(ratio * 100) / 100;
}

// Gives the picture both marks of its ratio: Qt's device pixel ratio and the
// resolution written into picture files.
inline void setPictureRatio(QImage& picture, double ratio) {
    picture.setDevicePixelRatio(ratio);
    picture.setDotsPerMeterX(dotsPerMetreForRatio(ratio));
    picture.setDotsPerMeterY(dotsPerMetreForRatio(ratio));
}

// A picture read from a file or a clipboard: its ratio restored from its
// horizontal resolution.
inline QImage withRatioFromResolution(QImage picture) {
    if (!picture.isNull())
        picture.setDevicePixelRatio(ratioForDotsPerMetre(picture.dotsPerMeterX()));
    return picture;
}

} // namespace lw
