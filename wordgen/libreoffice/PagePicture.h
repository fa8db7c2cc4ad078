#pragma once

// A picture of a document's first page, rendered from the office's PDF.

#include <QImage>
#include <com/sun/star/text/XTextDocument.hpp>

#include <functional>

namespace lw::word::office {

// The longest side of the picture in logical pixels; the page's proportions
// are kept. A landscape Letter page becomes 596 x 461: whole in the preview's
// viewport at zoom 1.0, and small enough that the preview can still zoom it to
// 1.5 before it reaches its size limit of 14000 x 10400 twips.
inline constexpr int kPictureLongestSide = 596;

// Device pixels per logical pixel: the screen's, so the preview shows the
// picture at zoom 1.0 pixel for pixel. A larger zoom draws the page again
// from the PDF beside the picture, so it stays as sharp.
double picturePixelRatio();

// Where the picture's making spends its time, for measurements: called after
// the office's export and after the drawing.
using PicturePhase = std::function<void(const char* name)>;

struct PagePicture {
    // The first page at picturePixelRatio() times its logical size, marked
    // with that ratio (device pixel ratio and resolution).
    QImage firstPage;
    // The whole document as the PDF the picture was drawn from, so the
    // other pages can be drawn from the same export.
    QByteArray document;
};

// The office exports the document as PDF, whose first page is drawn here at
// the picture's size: a page drawn as pixels by the office costs several
// times as long. Fails with a description.
PagePicture renderFirstPage(const css::uno::Reference<css::text::XTextDocument>& document,
                            const PicturePhase& phase = {});

} // namespace lw::word::office
