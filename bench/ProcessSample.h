#pragma once

// What a process holds at a moment, read from /proc: resident memory and open
// file descriptors; and which of our children is the office.

#include <QDir>
#include <QFile>
#include <QString>

#include <sys/types.h>
#include <unistd.h>

namespace lw::bench {

struct ProcessSample {
    long residentKiB = 0;
    int descriptors = 0;
};

inline ProcessSample sampleProcess(pid_t pid) {
    ProcessSample sample;
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                sample.residentKiB = line.mid(6).trimmed().split(' ').value(0).toLong();
    sample.descriptors = int(QDir(QStringLiteral("/proc/%1/fd").arg(pid))
                                 .entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)
                                 .size());
    return sample;
}

// The office process a program started: its child named soffice.bin (by
// default, ours).
inline pid_t officeChild(pid_t parent = getpid()) {
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool isPid = false;
        const pid_t pid = entry.toInt(&isPid);
        if (!isPid)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks.
        const QByteArray line = stat.readAll();
        const qsizetype open = line.indexOf('('), close = line.lastIndexOf(')');
        if (open < 0 || close < 0)
            continue;
        const QByteArray name = line.mid(open + 1, close - open - 1);
        const QList<QByteArray> rest = line.mid(close + 2).split(' ');
        if (name == "soffice.bin" && rest.value(1).toInt() == parent)
            return pid;
    }
    return 0;
}

} // namespace lw::bench
