#pragma once

// Keeps an engine call from blocking for ever: while a call is watched, a
// thread waits for its deadline and, when it passes, runs the expiry action
// (which kills the office, so the blocked call returns with an error).

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace lw::word::office {

class CallWatchdog {
public:
    explicit CallWatchdog(std::function<void()> onExpired);
    ~CallWatchdog();

    // Watches the calls made while it lives; nested scopes keep the outer
    // deadline.
    class Scope {
    public:
        Scope(CallWatchdog& watchdog, std::chrono::milliseconds limit);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        // True when the deadline passed during this scope.
        bool expired() const;

    private:
        CallWatchdog& m_watchdog;
        bool m_outermost;
    };

    // The limit of one call: LEAFWRIGHT_ENGINE_CALL_TIMEOUT seconds, else 30 s.
    static std::chrono::milliseconds callLimit();

    void stop();

private:
    void run();

    std::function<void()> m_onExpired;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<std::chrono::steady_clock::time_point> m_deadline;
    int m_depth = 0;
    // When the thread looks next at the deadline; none while it waits for
    // a call to start.
    std::optional<std::chrono::steady_clock::time_point> m_wakesAt;
    bool m_expired = false;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace lw::word::office
