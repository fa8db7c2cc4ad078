#pragma once

// Where the module lists the paths it makes outside the program's sight (the
// office's pipe socket, a one-time profile), as the program asked when it
// loaded the module, so a later start removes them if the program is killed.

#include <QString>
#include <functional>

namespace lw::word::office {

void setPathRecorder(std::function<void(const QString& path)> recorder);
void recordPathToMake(const QString& path);

} // namespace lw::word::office
