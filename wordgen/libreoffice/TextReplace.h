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

// The same, occurrence by occurrence, with strings holding what the
// document's texts hold (and kept up to date with the changes made).
bool replaceInText(DocumentState& document, TextCache& strings,
                   const css::uno::Reference<css::text::XText>& text, const SearchOptions& options,
                   ReplaceMode mode, bool forward, const QString& replacement);

// True when a value holds a control character, which the office may turn
// into a paragraph break.
bool hasLineBreaks(const QString& value);

} // namespace lw::word::office
