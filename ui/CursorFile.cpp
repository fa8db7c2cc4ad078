#include "ui/CursorFile.h"

#include "shell/Failure.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QtEndian>

namespace lw {
namespace {

constexpr int kHeaderSize = 6;
constexpr int kEntrySize = 16;

quint16 read16(const QByteArray& data, int at) {
    return qFromLittleEndian<quint16>(data.constData() + at);
}

} // namespace

QCursor loadCursorFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
    QByteArray data = file.readAll();
    // Header: reserved 0, type 2 (cursor), image count; then one 16-byte
    // directory entry per image, whose bytes 4..7 hold the hotspot.
    if (data.size() < kHeaderSize + kEntrySize || read16(data, 0) != 0 || read16(data, 2) != 2 ||
        read16(data, 4) < 1)
        throw Failure(QStringLiteral("%1 is not a cursor file").arg(path));
    const QPoint hotspot(read16(data, kHeaderSize + 4), read16(data, kHeaderSize + 6));

    // A cursor file is an icon file whose entries carry a hotspot where an
    // icon has planes and bit depth: read it as an icon with those reset.
    QByteArray icon = data;
    qToLittleEndian<quint16>(1, icon.data() + 2);
    for (int i = 0, n = read16(data, 4); i < n; ++i) {
        const int entry = kHeaderSize + i * kEntrySize;
        if (entry + kEntrySize > icon.size())
            break;
        qToLittleEndian<quint16>(1, icon.data() + entry + 4);
        qToLittleEndian<quint16>(0, icon.data() + entry + 6);
    }
    QBuffer buffer(&icon);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    const QImage image = reader.read();
    if (image.isNull())
        throw Failure(
            QStringLiteral("%1 is not a cursor file: %2").arg(path, reader.errorString()));
    return QCursor(QPixmap::fromImage(image), hotspot.x(), hotspot.y());
}

} // namespace lw
