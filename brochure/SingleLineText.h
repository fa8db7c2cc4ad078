#pragma once

#include <QString>

namespace lw {

// The text a one-line field holds: a line break becomes one space ("\r\n"
// counts as one break), and so does every other control character a
// one-line box would draw as a blank. Tabs stay. Whatever is shown is then
// exactly what is stored and what the brochure gets.
QString singleLineText(const QString& text);

} // namespace lw
