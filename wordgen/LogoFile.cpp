#include "wordgen/LogoFile.h"

#include "shell/FileRoutines.h"
#include "wordgen/WorkingFiles.h"

namespace lw {

LogoFile::LogoFile(const PreparedLogo& logo)
    : m_path(saveNewWorkingFile(QStringLiteral("logo"), logo.suffix, logo.bytes)) {}

LogoFile::~LogoFile() {
    if (!m_path.isEmpty())
        DeleteFileQuietly(m_path);
}

} // namespace lw
