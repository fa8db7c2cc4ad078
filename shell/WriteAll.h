#pragma once

// Writes bytes to an open file descriptor, however many calls the system
// takes for them. Header only: the office engine module, which links none
// of the program's code, uses it too.

#include <QByteArray>

#include <cerrno>
#include <unistd.h>

namespace lw {

// 0 when every byte was written, else the system's reason (ENOSPC when the
// file took no more without giving one).
inline int writeAll(int fd, const QByteArray& bytes) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        written += n;
    }
    return 0;
}

} // namespace lw
