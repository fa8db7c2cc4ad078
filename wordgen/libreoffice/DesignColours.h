#pragma once

#include "wordgen/WordObjects.h"
#include "wordgen/libreoffice/SessionState.h"

#include <vector>

namespace lw::word::office {

// Sets the colours of the document's design: styles' text colours and
// borders, drawing shapes' fills, text frames' backgrounds. Every part given
// is set, whatever colour it had, unless the document holds these already:
// a freshly loaded one those it was designed in (asDesigned), a kept
// template those set last. The names no part answers to are named in the
// failure thrown afterwards.
void setDesignColours(DocumentState& state, const std::vector<DesignColour>& colours,
                      bool asDesigned);

} // namespace lw::word::office
