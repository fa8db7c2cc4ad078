#pragma once

// A picture of a document's first page, rendered by the office.

#include <QImage>
#include <com/sun/star/text/XTextDocument.hpp>

namespace lw::word::office {

// The longest side of the picture in pixels; the page's proportions are kept.
inline constexpr int kPictureLongestSide = 600;

// Renders the first page; fails with a description. The document must have
// been loaded with a view (not hidden), or the export fails.
QImage renderFirstPage(const css::uno::Reference<css::text::XTextDocument>& document);

} // namespace lw::word::office
