#pragma once

#include "brochure/LogoPicture.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace lw {

// The logo the window puts on every brochure: a private copy, made ready,
// in the user's data folder, so moving or deleting the original loses
// nothing and the choice survives restarts.
struct StoredLogo {
    QByteArray bytes;
    QString suffix;
};

// The stored logo's file, or empty when there is none.
QString storedLogoPath();
std::optional<StoredLogo> readStoredLogo();
// Replaces the stored logo (none: removes it); the reason when it could not
// be written, with the old one kept then.
QString storeLogo(const std::optional<StoredLogo>& logo);

} // namespace lw
