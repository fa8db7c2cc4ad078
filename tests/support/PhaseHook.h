#pragma once

#include "wordgen/GenerationRun.h"

#include <QByteArray>
#include <functional>

namespace lw::test {

// Runs an action the first time a generation run reaches the named phase, to
// put a fault at a precise point of a run. Installed for its lifetime.
class PhaseHook final : public GenerationObserver {
public:
    PhaseHook(const QByteArray& phase, std::function<void()> action)
        : m_phase(phase), m_action(std::move(action)) {
        setGenerationObserver(this);
    }
    ~PhaseHook() override { setGenerationObserver(nullptr); }
    PhaseHook(const PhaseHook&) = delete;
    PhaseHook& operator=(const PhaseHook&) = delete;

    void phase(const char* name) override {
        if (!m_fired && m_phase == name) {
            m_fired = true;
            m_action();
        }
    }
    bool fired() const { return m_fired; }

private:
    QByteArray m_phase;
    std::function<void()> m_action;
    bool m_fired = false;
};

} // namespace lw::test
