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

// Logos kept as files "<stem>.png" or "<stem>.jpg", the stem being a path
// without its ending: the window's own and each profile's.
// The file of the logo kept under stem, or empty when there is none.
QString logoFileAt(const QString& stem);
// The logo in a file so kept; none for an empty path or a file not readable.
std::optional<StoredLogo> readLogoFile(const QString& path);
// Writes the logo whole as "<stem>.<suffix>", then removes the file of the
// other ending (none: removes both). Empty when it worked, else the reason
// it could not be written, with nothing changed.
QString writeLogoAt(const QString& stem, const std::optional<StoredLogo>& logo);

// The stored logo's file, or empty when there is none.
QString storedLogoPath();
std::optional<StoredLogo> readStoredLogo();
// Replaces the stored logo (none: removes it); the reason when it could not
// be written, with the old one kept then.
QString storeLogo(const std::optional<StoredLogo>& logo);

} // namespace lw
