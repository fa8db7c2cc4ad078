#pragma once

// The keys of the profile and colour commands, the same in both windows and
// shown beside them in the right-click menus.

#include <QKeySequence>

namespace lw::look_keys {

// Ctrl+1 to Ctrl+9 show the first nine profiles.
inline QKeySequence profile(int position) {
    return QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + position));
}
inline constexpr int kNumberedProfiles = 9;
inline const QKeySequence kNewProfile(Qt::CTRL | Qt::SHIFT | Qt::Key_N);
inline const QKeySequence kRenameProfile(Qt::Key_F2);
inline const QKeySequence kDeleteProfile(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete);
inline const QKeySequence kMainColour(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
inline const QKeySequence kAccentColour(Qt::CTRL | Qt::SHIFT | Qt::Key_A);

} // namespace lw::look_keys
