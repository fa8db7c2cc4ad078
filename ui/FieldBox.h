#pragma once

class QLineEdit;

namespace lw {

// Makes a line edit a brochure field box: no length limit beyond what the
// widget can hold, and one line only, so a pasted line break becomes a space
// in the text itself, not only on screen.
void setUpFieldBox(QLineEdit* box);

} // namespace lw
