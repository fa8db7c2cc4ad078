#include "shell/OutputFile.h"

#include "shell/FileRoutines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace lw {

OutputFile::OutputFile(const QString& target) : m_target(QFileInfo(target).absoluteFilePath()) {
    const QFileInfo info(m_target);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    m_part.setFileTemplate(info.absoluteDir().filePath(QLatin1Char('.') + info.completeBaseName() +
                                                       QStringLiteral(".XXXXXX") + suffix));
    if (!m_part.open())
        throw Failure(QStringLiteral("Cannot write %1: %2").arg(m_target, m_part.errorString()));
    m_part.close();
}

Failure OutputFile::writeFailure(const QString& reason) const {
    const QStorageInfo disk(QFileInfo(m_target).absolutePath());
    const bool full = disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < 4096;
    return Failure(QStringLiteral("Cannot write %1: %2")
                       .arg(m_target, full ? QStringLiteral("the disk is full") : reason));
}

bool OutputFile::publish(bool replace) {
    const QByteArray part = QFile::encodeName(m_part.fileName());
    const QByteArray target = QFile::encodeName(m_target);
    const QFileInfo existing(m_target);
    // By name: the engine may have written a new file under it.
    QFile::setPermissions(m_part.fileName(), replace && existing.exists() ? existing.permissions()
                                                                          : newFilePermissions());
    int result = 0;
    if (replace) {
        result = std::rename(part.constData(), target.constData());
    } else {
        // Refused, not replaced, when the name was taken in the meantime.
        result =
            ::renameat2(AT_FDCWD, part.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
        if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
            // A file system without that kind of rename: a hard link is
            // refused the same way.
            result = ::link(part.constData(), target.constData());
            if (result == 0)
                ::unlink(part.constData());
        }
        if (result != 0 && errno == EEXIST)
            return false;
    }
    if (result != 0)
        throw systemFailure(replace && existing.exists() ? QStringLiteral("Cannot replace")
                                                         : QStringLiteral("Cannot write"),
                            m_target);
    m_part.setAutoRemove(false);
    return true;
}

} // namespace lw
