#pragma once

// Makes a newly started office ready for a fast first run.

#include <com/sun/star/frame/XDesktop2.hpp>

namespace lw::word::office {

// Loads the text module, the Word 97 export and import filters and the page
// picture export once, by saving, reopening and rendering a small document.
// A new office loads these on first use, which would otherwise slow down the
// user's first generation run. Failures are passed over: the run itself
// reports anything that really does not work.
void warmUpOffice(const css::uno::Reference<css::frame::XDesktop2>& desktop);

// Loads the program's brochure template into the office and keeps it there
// (see KeptTemplate), laid out and drawn once, so that the first brochure
// is made as fast as later ones. Nothing happens when it is kept already or
// cannot be loaded.
void keepBrochureTemplate(const css::uno::Reference<css::frame::XDesktop2>& desktop);

} // namespace lw::word::office
