#pragma once

#include <QCursor>
#include <QString>

namespace lw {

// Reads a Windows cursor file (.cur): the first image and its hotspot.
// Throws a Failure when the file cannot be read as a cursor.
QCursor loadCursorFile(const QString& path);

} // namespace lw
