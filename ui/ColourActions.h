#pragma once

class QMenu;
class QWidget;

namespace lw {

// The brochure's colours as the windows offer them: a "Colours" submenu with
// the schemes, and the main colour and the accent each chosen in Qt's colour
// dialog. Each change is kept in the profile shown, can be undone with
// Ctrl+Z in the main window, and makes the brochure again to show it.
void addColourActions(QMenu& menu, QWidget* parent);
// Asks for the main colour, or the accent, starting from the present one.
void chooseColour(QWidget* parent, bool accent);

} // namespace lw
