#pragma once

// A picture of a document's first page, rendered by the office.

#include <QImage>
#include <com/sun/star/text/XTextDocument.hpp>

namespace lw::word::office {

// The longest side of the picture in pixels; the page's proportions are kept.
// A landscape Letter page becomes 596 x 461: whole in the preview's viewport at
// zoom 1.0, and small enough that the preview can still zoom it to 1.5 before
// it reaches its size limit of 14000 x 10400 twips.
inline constexpr int kPictureLongestSide = 596;

// Renders the first page; fails with a description. The document must have
// been loaded with a view (not hidden), or the export fails.
QImage renderFirstPage(const css::uno::Reference<css::text::XTextDocument>& document);

} // namespace lw::word::office
