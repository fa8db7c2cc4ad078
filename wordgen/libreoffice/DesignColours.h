#pragma once

#include "wordgen/WordObjects.h"

#include <com/sun/star/text/XTextDocument.hpp>

#include <vector>

namespace lw::word::office {

// Sets the colours of the document's design: styles' text colours and
// borders, drawing shapes' fills, text frames' backgrounds. Every part given
// is set, whatever colour it had; the names no part answers to are named in
// the failure thrown afterwards.
void setDesignColours(const css::uno::Reference<css::text::XTextDocument>& document,
                      const std::vector<DesignColour>& colours);

} // namespace lw::word::office
