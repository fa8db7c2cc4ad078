#pragma once

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace lw::test {

// The processes whose command line holds the marker: a profile folder or a
// pipe name that only processes of the calling test use. A process that ended
// and waits to be reaped has no command line and is not listed.
inline QList<pid_t> processesWith(const QByteArray& marker) {
    QList<pid_t> pids;
    const auto entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool isPid = false;
        const pid_t pid = entry.toInt(&isPid);
        if (!isPid)
            continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(marker))
            pids.append(pid);
    }
    return pids;
}

// The state letter of a process (R, S, T, Z, ...); 0 when there is none.
inline char processState(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    // "pid (name) state ...": the name may hold blanks, the state follows its ')'.
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close >= 0 && close + 2 < line.size() ? line.at(close + 2) : 0;
}

// Polls until the condition holds or the time is up; true when it held.
template <class Condition> bool waitFor(Condition condition, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QThread::msleep(20);
    }
    return true;
}

// A stop takes effect once each of the process's threads gets to it.
inline bool waitUntilStopped(pid_t pid) {
    return waitFor([pid] { return processState(pid) == 'T'; }, 2000);
}

// Ended: gone, or dead and waiting to be reaped.
inline bool waitUntilEnded(pid_t pid, int milliseconds) {
    return waitFor(
        [pid] {
            const char state = processState(pid);
            return state == 0 || state == 'Z' || state == 'X';
        },
        milliseconds);
}

inline bool waitUntilNoneWith(const QByteArray& marker, int milliseconds) {
    return waitFor([&marker] { return processesWith(marker).isEmpty(); }, milliseconds);
}

// Sends the signal only while the pid still names a process with the marker,
// so a pid reused by someone else's process is never touched.
inline void signalIfStillOurs(pid_t pid, const QByteArray& marker, int signal) {
    if (processesWith(marker).contains(pid))
        ::kill(pid, signal);
}

// Points the engine's pool of office profiles at a folder of this test
// program's own, so the offices it starts are told apart from everyone
// else's by their profile path. Make it before the engine starts an office.
class PrivateOfficeCache {
public:
    PrivateOfficeCache() { qputenv("XDG_CACHE_HOME", m_dir.path().toUtf8()); }
    ~PrivateOfficeCache() {
        // Nothing of ours may outlive the test program.
        for (pid_t pid : offices()) {
            ::kill(pid, SIGCONT);
            ::kill(pid, SIGKILL);
        }
    }
    QString path() const { return m_dir.path(); }
    // Part of the command line of every office started on this pool.
    QByteArray marker() const {
        return QFile::encodeName(m_dir.path() + QStringLiteral("/leafwright/office-profile-"));
    }
    QList<pid_t> offices() const { return processesWith(marker()); }

private:
    QTemporaryDir m_dir;
};

// Where an office makes the socket of a pipe of this name: the engine's own
// rule, which tests cannot link, as the engine is loaded at run time.
inline QString pipeSocketPath(const QString& pipeName) {
    return QStringLiteral("/tmp/OSL_PIPE_%1_%2").arg(::getuid()).arg(pipeName);
}

// The sockets in /tmp by which an office tells a second one started on its
// profile to hand over; an office killed by a test leaves its own.
inline QStringList handOverSockets() {
    return QDir(QStringLiteral("/tmp"))
        .entryList({QStringLiteral("OSL_PIPE_%1_SingleOfficeIPC_*").arg(::getuid())}, QDir::System);
}

// Those made since `before` was taken.
inline QStringList handOverSocketsSince(const QStringList& before) {
    QStringList made = handOverSockets();
    made.removeIf([&](const QString& name) { return before.contains(name); });
    return made;
}

inline void removeHandOverSocketsSince(const QStringList& before) {
    for (const QString& name : handOverSocketsSince(before))
        QFile::remove(QStringLiteral("/tmp/") + name);
}

} // namespace lw::test
