#pragma once

class QMenu;
class QWidget;

namespace lw {

// The kept businesses as the windows offer them: a "Profile" submenu in each
// window's right-click menu (switch, new from what the window shows, rename,
// delete), the same as shortcuts, the hint that a right-click holds them,
// and what a screen reader hears of the profile and colours shown. The main
// window does the work and offers Ctrl+Z back.

// Shortcuts of the profiles and colours on a window, its hint and its
// description.
void setUpLookActions(QWidget* window);
void addProfileActions(QMenu& menu, QWidget* parent);
// Tells both windows' descriptions the profile and colours shown now.
void describeLook();

} // namespace lw
