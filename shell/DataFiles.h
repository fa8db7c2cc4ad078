#pragma once

#include <QString>

namespace lw {

// Where the program's data files (the hand cursor) are looked up, in order:
// beside the program, as in a build tree or for a file put there by hand;
// then the installed data folder, <prefix>/share/leafwright, found from the
// program's own folder so that every install prefix works. Gives the first
// that exists, or the path beside the program when none does.
QString dataFile(const QString& name);

// The installed data folder that goes with the program's folder.
QString installedDataFolder();

} // namespace lw
