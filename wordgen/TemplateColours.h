#pragma once

// Which part of the brochure template is drawn in which of the design's
// colours, found by the names the template carries: its paragraph and
// character styles, its drawing shapes, and the text frame that starts with
// the call-to-action heading.

#include "brochure/BrandColours.h"
#include "wordgen/WordObjects.h"

#include <vector>

namespace lw {

struct TemplatePart {
    word::DesignColour::Part part;
    const char* name;
    ColourRole colour;
    // For text: every colour it is read against.
    std::vector<ColourRole> grounds;
};

// Every coloured part of the template.
const std::vector<TemplatePart>& templateParts();

// The colour of every part, for the engine to set.
std::vector<word::DesignColour> designColours(const BrandColours& colours);

} // namespace lw
