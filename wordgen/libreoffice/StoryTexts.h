#pragma once

// The texts a document's story ranges cover: the main text first, then the
// first text frame's text, then the headers and footers in use.

#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

#include <vector>

namespace lw::word::office {

std::vector<css::uno::Reference<css::text::XText>>
storyTexts(const css::uno::Reference<css::text::XTextDocument>& document);

} // namespace lw::word::office
