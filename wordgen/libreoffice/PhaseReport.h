#pragma once

// Where the module reports the parts of its work, as the program asked when
// it loaded the module.

#include <functional>

namespace lw::word::office {

void setPhaseReporter(std::function<void(const char* name)> reporter);
void reportPhase(const char* name);

} // namespace lw::word::office
