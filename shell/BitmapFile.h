#pragma once

#include <QImage>
#include <QString>

class QIODevice;

namespace lw {

// The page picture as a Windows bitmap file, written and read in one piece:
// 32 bits a pixel, rows top to bottom, exactly the picture's memory, so a
// 17 MB picture costs one write and one read instead of a conversion of
// every pixel. Any bitmap reader opens it; the resolution is kept.

// Writes the picture; false when the device takes less than all of it.
bool writeBitmap(const QImage& picture, QIODevice& device);

// Reads a bitmap file: one written as above directly, any other picture
// file through Qt's readers. A null picture, with the reason in error, when
// it cannot be read.
QImage readBitmap(const QString& path, QString* error = nullptr);
// The same from an open device, from its start.
QImage readBitmap(QIODevice& device, QString* error = nullptr);

} // namespace lw
