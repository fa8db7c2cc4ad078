#pragma once

#include "brochure/LogoPicture.h"

#include <QString>

namespace lw {

// A logo made ready, written into the working folder under a name of its
// own for the engine to embed, and removed again when this goes.
class LogoFile {
public:
    LogoFile() = default;
    // Throws a Failure when the file cannot be written.
    explicit LogoFile(const PreparedLogo& logo);
    ~LogoFile();
    LogoFile(const LogoFile&) = delete;
    LogoFile& operator=(const LogoFile&) = delete;

    const QString& path() const { return m_path; }

private:
    QString m_path;
};

} // namespace lw
