#include "wordgen/TemplateColours.h"

namespace lw {
namespace {

using Part = word::DesignColour::Part;
using enum ColourRole;

// Text on the white page and on the tinted boxes and card.
const std::vector<ColourRole> kOnPaper{White, Tint};

std::vector<TemplatePart> makeParts() {
    return {
        // paragraph styles
        {Part::StyleText, "Kicker", AccentText, kOnPaper},
        {Part::StyleText, "Panel Heading", MainText, kOnPaper},
        {Part::StyleBorder, "Panel Heading", Accent, {}},
        {Part::StyleText, "Body", Ink, kOnPaper},
        {Part::StyleText, "Item Title", MainText, kOnPaper},
        {Part::StyleText, "Item Text", Ink, kOnPaper},
        {Part::StyleText, "Promise", MainText, kOnPaper},
        {Part::StyleBorder, "Promise", Accent, {}},
        {Part::StyleText, "Note Text", MainText, kOnPaper},
        {Part::StyleText, "Contact Intro", Ink, kOnPaper},
        {Part::StyleText, "Cover Strap", OnMainDark, {MainDark}},
        {Part::StyleText, "Call Heading", OnMainAccent, {Main}},
        {Part::StyleText, "Call Text", OnMain, {Main}},
        // character styles
        {Part::StyleText, "Step Number", AccentText, kOnPaper},
        {Part::StyleText, "Cover Name", OnMain, {Main}},
        {Part::StyleText, "Cover Tag", OnMainAccent, {Main}},
        {Part::StyleText, "Contact Name", MainText, kOnPaper},
        {Part::StyleText, "Contact Text", Ink, kOnPaper},
        {Part::StyleText, "Contact Phone", MainText, kOnPaper},
        {Part::StyleText, "Call Phone", OnMain, {Main}},
        {Part::StyleText, "Call Value", OnMain, {Main}},
        // the call-to-action box is a filled text frame
        {Part::FrameFill, "Call Heading", Main, {}},
        // drawing shapes, page 1
        {Part::ShapeFill, "Outside Top Band", Main, {}},
        {Part::ShapeFill, "Outside Bottom Band", Main, {}},
        {Part::ShapeFill, "Pass On Box", Tint, {}},
        {Part::ShapeFill, "Pass On Rule", Accent, {}},
        {Part::ShapeFill, "Cover Card", Main, {}},
        {Part::ShapeFill, "Cover Band", MainDark, {}},
        {Part::ShapeFill, "Cover Band Rule", Accent, {}},
        {Part::ShapeFill, "Cover Accent", Accent, {}},
        // page 2
        {Part::ShapeFill, "Inside Top Band", Main, {}},
        {Part::ShapeFill, "Offer Card", Tint, {}},
        {Part::ShapeFill, "Promise Box", Tint, {}},
        {Part::ShapeFill, "Promise Rule", Accent, {}},
        {Part::ShapeFill, "Inside Bottom Band", Main, {}},
    };
}

} // namespace

const std::vector<TemplatePart>& templateParts() {
    static const std::vector<TemplatePart> parts = makeParts();
    return parts;
}

std::vector<word::DesignColour> designColours(const BrandColours& colours) {
    std::vector<word::DesignColour> result;
    for (const TemplatePart& part : templateParts())
        result.push_back({part.part, QString::fromLatin1(part.name),
                          std::uint32_t(colours[part.colour] & 0xffffffu)});
    return result;
}

} // namespace lw
