#pragma once

// A text document laid out on a print shop's sheet and exported as PDF.

#include "wordgen/WordObjects.h"

#include <com/sun/star/text/XTextDocument.hpp>

namespace lw::word::office {

// Grows every page by the bleed and the mark room on each side and moves what
// is placed on the page with it; a coloured area that reaches the trim runs
// on to the bleed's edge; a picture with transparency is made opaque over
// the colour behind it (a print shop's PDF keeps no transparency, and
// flattening it later would turn the whole page into one picture); marks are
// drawn when the sheet has room for them. Then writes the pages as a PDF
// with every font embedded and pictures as they are. The document is changed
// and should be closed unsaved.
PrintShopPages exportForPrintShop(const css::uno::Reference<css::text::XTextDocument>& document,
                                  const QString& fileName, const PrintShopSheet& sheet);

} // namespace lw::word::office
