#include "wordgen/LogoFile.h"

#include "shell/FileRoutines.h"
#include "shell/InstanceRecord.h"
#include "wordgen/WorkingFiles.h"

#include <QRandomGenerator>

namespace lw {

LogoFile::LogoFile(const PreparedLogo& logo) {
    for (int attempt = 0; attempt < 100 && m_path.isEmpty(); ++attempt) {
        const QString path = temporaryPath(
            QStringLiteral("logo-%1.%2")
                .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'))
                .arg(logo.suffix));
        recordPathToMake(path);
        if (SaveBytesToNewFile(logo.bytes, path))
            m_path = path;
    }
}

LogoFile::~LogoFile() {
    if (!m_path.isEmpty())
        DeleteFileQuietly(m_path);
}

} // namespace lw
