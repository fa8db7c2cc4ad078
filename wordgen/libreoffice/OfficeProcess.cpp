#include "wordgen/libreoffice/OfficeProcess.h"

#include "wordgen/WordObjects.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace lw::word::office {

namespace {

// Null-terminated arrays built before fork: the child may only make
// async-signal-safe calls.
struct CStringArray {
    std::vector<QByteArray> storage;
    std::vector<char*> pointers;
    void add(const QByteArray& value) { storage.push_back(value); }
    char** finish() {
        for (auto& value : storage)
            pointers.push_back(value.data());
        pointers.push_back(nullptr);
        return pointers.data();
    }
};

bool hasName(const char* entry, const QStringList& names) {
    for (const auto& assignment : names) {
        const QByteArray name = assignment.section(QLatin1Char('='), 0, 0).toLocal8Bit() + '=';
        if (std::strncmp(entry, name.constData(), size_t(name.size())) == 0)
            return true;
    }
    return false;
}

// Sets what SIGPIPE does in this process.
void onBrokenPipe(void (*action)(int)) {
    struct sigaction disposition {};
    disposition.sa_handler = action;
    sigemptyset(&disposition.sa_mask);
    ::sigaction(SIGPIPE, &disposition, nullptr);
}

} // namespace

void OfficeProcess::start(const QString& program, const QStringList& arguments,
                          const QStringList& extraEnvironment) {
    CStringArray argv;
    argv.add(program.toLocal8Bit());
    for (const auto& argument : arguments)
        argv.add(argument.toLocal8Bit());
    CStringArray envp;
    for (char** entry = environ; entry && *entry; ++entry)
        if (!hasName(*entry, extraEnvironment))
            envp.add(QByteArray(*entry));
    for (const auto& assignment : extraEnvironment)
        envp.add(assignment.toLocal8Bit());
    char** const argvPointers = argv.finish();
    char** const envPointers = envp.finish();
    const QByteArray programPath = program.toLocal8Bit();
    const pid_t parent = getpid();

    // The connection to the office is a socket its library writes to without
    // asking to be spared the signal: a write just as the office dies must
    // fail, and the call report the office lost, rather than SIGPIPE's
    // default end the whole program (as Qt does for its own sockets).
    onBrokenPipe(SIG_IGN);

    std::lock_guard lock(m_mutex);
    const pid_t child = fork();
    if (child < 0)
        throw AutomationError(QStringLiteral("Cannot start the word-processing engine: %1")
                                  .arg(QString::fromLocal8Bit(std::strerror(errno))));
    if (child == 0) {
        // Dies with us, whatever way we end.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        // Its own process group: a Ctrl+C in our terminal is ours to handle.
        setpgid(0, 0);
        // An ignored signal stays ignored across exec: the office starts
        // with the default, as from a shell.
        onBrokenPipe(SIG_DFL);
        const int null = open("/dev/null", O_RDWR);
        if (null >= 0) {
            dup2(null, 0);
            dup2(null, 1);
            dup2(null, 2);
        }
        syscall(SYS_close_range, 3U, ~0U, 0U);
        execve(programPath.constData(), argvPointers, envPointers);
        _exit(127);
    }
    m_pid = child;
    m_exitCode.reset();
}

pid_t OfficeProcess::pid() const {
    std::lock_guard lock(m_mutex);
    return m_pid;
}

bool OfficeProcess::reap(bool block) {
    std::lock_guard lock(m_mutex);
    if (m_pid == 0)
        return true;
    int status = 0;
    const pid_t result = waitpid(m_pid, &status, block ? 0 : WNOHANG);
    if (result == 0)
        return false;
    if (result == m_pid && WIFEXITED(status))
        m_exitCode = WEXITSTATUS(status);
    m_pid = 0;
    return true;
}

bool OfficeProcess::isRunning() {
    return !reap(false);
}

bool OfficeProcess::waitForExit(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!reap(false)) {
        if (timer.elapsed() >= milliseconds)
            return false;
        QThread::msleep(10);
    }
    return true;
}

void OfficeProcess::kill() {
    std::lock_guard lock(m_mutex);
    if (m_pid != 0)
        ::kill(m_pid, SIGKILL);
}

} // namespace lw::word::office
