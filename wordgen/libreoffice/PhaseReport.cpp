#include "wordgen/libreoffice/PhaseReport.h"

namespace lw::word::office {
namespace {
std::function<void(const char*)>& reporter() {
    static std::function<void(const char*)> instance;
    return instance;
}
} // namespace

void setPhaseReporter(std::function<void(const char* name)> newReporter) {
    reporter() = std::move(newReporter);
}

void reportPhase(const char* name) {
    if (reporter())
        reporter()(name);
}

} // namespace lw::word::office
