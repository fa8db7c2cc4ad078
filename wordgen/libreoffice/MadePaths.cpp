#include "wordgen/libreoffice/MadePaths.h"

namespace lw::word::office {
namespace {
std::function<void(const QString&)>& recorder() {
    static std::function<void(const QString&)> instance;
    return instance;
}
} // namespace

void setPathRecorder(std::function<void(const QString& path)> newRecorder) {
    recorder() = std::move(newRecorder);
}

void recordPathToMake(const QString& path) {
    if (recorder())
        recorder()(path);
}

} // namespace lw::word::office
