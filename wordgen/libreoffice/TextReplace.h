#pragma once

// Find and replace inside one text of a document (the main text, a frame, a
// header or footer, a shape's text), and nowhere else.

#include "wordgen/libreoffice/LiteralSearch.h"
#include "wordgen/libreoffice/SessionState.h"

#include <com/sun/star/text/XText.hpp>

namespace lw::word::office {

enum class ReplaceMode { None, One, All };

// True when the text holds the searched text. Replaces the occurrences that
// were there before the call (so a replacement holding the searched text is
// not replaced again); the replaced text keeps the searched text's formatting.
bool findAndReplace(DocumentState& document, const css::uno::Reference<css::text::XText>& text,
                    const SearchOptions& options, ReplaceMode mode, bool forward,
                    const QString& replacement);

} // namespace lw::word::office
