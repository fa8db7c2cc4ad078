#include "wordgen/libreoffice/CallWatchdog.h"

#include <QString>
#include <QtGlobal>

namespace lw::word::office {

CallWatchdog::CallWatchdog(std::function<void()> onExpired) : m_onExpired(std::move(onExpired)) {}

CallWatchdog::~CallWatchdog() {
    stop();
}

void CallWatchdog::stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard lock(m_mutex);
    m_stopping = false;
}

std::chrono::milliseconds CallWatchdog::callLimit() {
    bool ok = false;
    const double seconds = qEnvironmentVariable("LEAFWRIGHT_ENGINE_CALL_TIMEOUT").toDouble(&ok);
    if (ok && seconds > 0)
        return std::chrono::milliseconds(qint64(seconds * 1000));
    return std::chrono::seconds(30);
}

void CallWatchdog::run() {
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!m_deadline) {
            m_wakesAt.reset();
            m_changed.wait(lock);
            continue;
        }
        // Calls that start and end meanwhile move the deadline without
        // waking this thread: it looks again when the one it waits for
        // passes, and fires only for a call still running then.
        m_wakesAt = *m_deadline;
        m_changed.wait_until(lock, *m_wakesAt);
        if (m_deadline && *m_deadline <= std::chrono::steady_clock::now()) {
            m_deadline.reset();
            m_expired = true;
            m_onExpired();
        }
    }
}

CallWatchdog::Scope::Scope(CallWatchdog& watchdog, std::chrono::milliseconds limit)
    : m_watchdog(watchdog) {
    bool wake = false;
    {
        std::lock_guard lock(watchdog.m_mutex);
        m_outermost = watchdog.m_depth++ == 0;
        if (m_outermost) {
            const auto deadline = std::chrono::steady_clock::now() + limit;
            // A brochure makes hundreds of calls: the thread is woken only
            // when it waits for no deadline or for a later one than this.
            wake = !watchdog.m_wakesAt || deadline < *watchdog.m_wakesAt;
            watchdog.m_deadline = deadline;
            watchdog.m_expired = false;
        }
        if (!watchdog.m_thread.joinable())
            watchdog.m_thread = std::thread([&watchdog] { watchdog.run(); });
    }
    if (wake)
        watchdog.m_changed.notify_all();
}

CallWatchdog::Scope::~Scope() {
    std::lock_guard lock(m_watchdog.m_mutex);
    --m_watchdog.m_depth;
    if (m_outermost)
        m_watchdog.m_deadline.reset();
}

bool CallWatchdog::Scope::expired() const {
    std::lock_guard lock(m_watchdog.m_mutex);
    return m_watchdog.m_expired;
}

} // namespace lw::word::office
