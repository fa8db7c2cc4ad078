#pragma once

#include <QPushButton>

namespace lw {

// The window's push buttons: white background, button-text colour, Arial
// 11.25 pt bold, and the given caption and rectangle in twips.
QPushButton* makePushButton(QWidget* parent, const char* caption, int left, int top, int width,
                            int height);

// The windows' own font: Arial 9 pt bold.
QFont windowFont();

} // namespace lw
