#pragma once

// A picture of a document's first page, rendered by the office.

#include <QImage>
#include <com/sun/star/text/XTextDocument.hpp>

#include <functional>

namespace lw::word::office {

// The longest side of the picture in logical pixels; the page's proportions
// are kept. A landscape Letter page becomes 596 x 461: whole in the preview's
// viewport at zoom 1.0, and small enough that the preview can still zoom it to
// 1.5 before it reaches its size limit of 14000 x 10400 twips.
inline constexpr int kPictureLongestSide = 596;

// Device pixels per logical pixel: enough for the largest zoom (1.5) on a
// screen scaled twice, with some to spare for smooth scaling.
inline constexpr int kPicturePixelRatio = 4;

// Where the picture's making spends its time, for measurements: called after
// the office's export and after the drawing.
using PicturePhase = std::function<void(const char* name)>;

// Renders the first page at kPicturePixelRatio times its logical size,
// marked with that ratio (device pixel ratio and resolution); fails with a
// description.
// The office exports the page as PDF, which is drawn here at the picture's
// size: a page drawn as pixels by the office costs several times as long.
QImage renderFirstPage(const css::uno::Reference<css::text::XTextDocument>& document,
                       const PicturePhase& phase = {});

} // namespace lw::word::office
