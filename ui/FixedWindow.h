#pragma once

class QWidget;

namespace lw {

// A window as both of ours are designed: fixed client size in twips, title bar
// with minimise and close but no maximise, white, the windows' font, mouse
// moves reported for the hover rule through the window's own event filter,
// and placed in the centre of the screen.
void setUpFixedWindow(QWidget* window, int clientWidthTwips, int clientHeightTwips);

} // namespace lw
