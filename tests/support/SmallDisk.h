#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace lw::test {

// A tiny file system of its own (tmpfs) mounted on a folder, to be filled up
// at will. Mounting needs the right to mount; when that is missing, mounted()
// is false and problem() says why.
class SmallDisk {
public:
    SmallDisk(const QString& folder, const QString& size) : m_folder(folder) {
        QDir().mkpath(folder);
        QProcess mount;
        mount.start(QStringLiteral("mount"),
                    {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                     QStringLiteral("size=") + size, QStringLiteral("tmpfs"), folder});
        mount.waitForFinished(10000);
        m_mounted = mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0;
        if (!m_mounted)
            m_problem = QString::fromLocal8Bit(mount.readAllStandardError()).trimmed();
    }
    ~SmallDisk() {
        if (m_mounted && QProcess::execute(QStringLiteral("umount"), {m_folder}) != 0)
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_folder});
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    QString problem() const { return m_problem; }
    QString path() const { return m_folder; }

    // Takes every free byte with a file of the given name; true when the
    // disk ended up full.
    bool fill(const QString& name = QStringLiteral("filler")) const {
        const int fd = ::open(QFile::encodeName(m_folder + QLatin1Char('/') + name).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0)
            return false;
        const QByteArray block(4096, 'f');
        bool full = false;
        for (qsizetype size = block.size(); size > 0;) {
            const ssize_t written = ::write(fd, block.constData(), size_t(size));
            if (written < 0 && errno == ENOSPC) {
                if (size == 1) {
                    full = true;
                    break;
                }
                size /= 2; // the last bytes, a smaller write at a time
            } else if (written <= 0) {
                break;
            }
        }
        ::close(fd);
        return full;
    }

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_problem;
};

} // namespace lw::test
