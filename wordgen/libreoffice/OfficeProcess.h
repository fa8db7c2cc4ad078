#pragma once

// The office process itself, started, killed and reaped by its owner, the
// engine. It is killed by the system when our program dies, even by a signal
// that leaves no time for clean-up.

#include <QString>
#include <QStringList>

#include <mutex>
#include <optional>
#include <sys/types.h>

namespace lw::word::office {

class OfficeProcess {
public:
    OfficeProcess() = default;
    OfficeProcess(const OfficeProcess&) = delete;
    OfficeProcess& operator=(const OfficeProcess&) = delete;

    // Starts the program; fails with a description.
    void start(const QString& program, const QStringList& arguments,
               const QStringList& extraEnvironment);

    // Zero once the process has ended and was reaped.
    pid_t pid() const;
    bool isRunning();
    // The exit code, once the process ended by exiting.
    std::optional<int> exitCode() const { return m_exitCode; }
    // Waits up to the given time; true when the process has ended.
    bool waitForExit(int milliseconds);
    // Kills the process (safe from any thread) and, from the owning thread,
    // waitForExit reaps it.
    void kill();

private:
    bool reap(bool block);

    mutable std::mutex m_mutex; // guards m_pid against a kill after reaping
    pid_t m_pid = 0;
    std::optional<int> m_exitCode;
};

} // namespace lw::word::office
