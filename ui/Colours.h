#pragma once

#include <QColor>
#include <QtGlobal>

class QWidget;

namespace lw {

// Colour values as the layout tables write them: &H00BBGGRR for fixed colours,
// &H800000nn for a system colour by index.
inline constexpr quint32 kWhite = 0x00FFFFFF;
inline constexpr quint32 kButtonFace = 0x8000000F;
inline constexpr quint32 kWindowBackground = 0x80000005;
inline constexpr quint32 kWindowText = 0x80000008;
inline constexpr quint32 kButtonText = 0x80000012;

// A fixed colour as it is; a system colour from the application's palette.
QColor colourFromValue(quint32 value);

// The colour a text of the given value is drawn in on the given background.
// The fixed colours were chosen against the system colours of a light
// palette: on a fixed background a system text colour keeps its light-palette
// value, so the pair stays readable under any desktop palette, dark and high
// contrast included. On a system background it follows the palette.
QColor textColourOn(quint32 background, quint32 text);

// Sets a widget's background colour, and its text colour to the window-text
// colour that goes with it, and remembers the value it was given.
void setBackColour(QWidget* widget, quint32 value);
// The value last given to setBackColour, or 0 when none was.
quint32 backColour(const QWidget* widget);

// The window and its option buttons, check boxes, frames and labels take the
// button-face colour; picture boxes and other controls keep theirs.
void ApplyFaceColour(QWidget* window);

// The same, picture boxes included when asked (a skinned window turns them
// button-face too).
void applyFaceColourTo(QWidget* window, bool includingPictureBoxes);

} // namespace lw
