#include "shell/BitmapFile.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <cstring>

namespace lw {
namespace {

// BITMAPFILEHEADER and BITMAPINFOHEADER, little-endian.
constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
constexpr quint16 kBitsPerPixel = 32;
constexpr quint32 kUncompressed = 0; // BI_RGB: blue, green, red, unused

struct Header {
    char bytes[kHeadersSize] = {};
    template <class T> void put(int offset, T value) { qToLittleEndian(value, bytes + offset); }
    template <class T> T get(int offset) const { return qFromLittleEndian<T>(bytes + offset); }
};

} // namespace

bool writeBitmap(const QImage& picture, QIODevice& device) {
    // Qt's RGB32 is B, G, R, 0xFF in memory on a little-endian machine: the
    // bitmap's own layout.
    const QImage pixels =
        picture.format() == QImage::Format_RGB32 || Q_BYTE_ORDER != Q_LITTLE_ENDIAN
            ? picture
            : picture.convertToFormat(QImage::Format_RGB32);
    if (Q_BYTE_ORDER != Q_LITTLE_ENDIAN)
        return pixels.save(&device, "BMP");
    const qint64 rowBytes = qint64(pixels.width()) * 4;
    const qint64 imageBytes = rowBytes * pixels.height();
    Header header;
    std::memcpy(header.bytes, "BM", 2);
    header.put<quint32>(2, quint32(kHeadersSize + imageBytes));
    header.put<quint32>(10, kHeadersSize);
    header.put<quint32>(14, kInfoHeaderSize);
    header.put<qint32>(18, pixels.width());
    header.put<qint32>(22, -pixels.height()); // negative: rows top to bottom
    header.put<quint16>(26, 1);
    header.put<quint16>(28, kBitsPerPixel);
    header.put<quint32>(30, kUncompressed);
    header.put<quint32>(34, quint32(imageBytes));
    header.put<qint32>(38, pixels.dotsPerMeterX());
    header.put<qint32>(42, pixels.dotsPerMeterY());
    if (device.write(header.bytes, kHeadersSize) != kHeadersSize)
        return false;
    if (pixels.bytesPerLine() == rowBytes)
        return device.write(reinterpret_cast<const char*>(pixels.constBits()), imageBytes) ==
               imageBytes;
    for (int y = 0; y < pixels.height(); ++y)
        if (device.write(reinterpret_cast<const char*>(pixels.constScanLine(y)), rowBytes) !=
            rowBytes)
            return false;
    return true;
}

QImage readBitmap(QIODevice& device, QString* error) {
    Header header;
    if (Q_BYTE_ORDER == Q_LITTLE_ENDIAN && device.seek(0) &&
        device.read(header.bytes, kHeadersSize) == kHeadersSize &&
        std::memcmp(header.bytes, "BM", 2) == 0 && header.get<quint32>(10) == kHeadersSize &&
        header.get<quint32>(14) == kInfoHeaderSize && header.get<quint16>(26) == 1 &&
        header.get<quint16>(28) == kBitsPerPixel && header.get<quint32>(30) == kUncompressed) {
        const qint32 width = header.get<qint32>(18);
        const qint32 height = -header.get<qint32>(22);
        const qint64 imageBytes = qint64(width) * 4 * height;
        if (width > 0 && height > 0 && width <= 32768 && height <= 32768 &&
            device.size() >= kHeadersSize + imageBytes) {
            QImage picture(width, height, QImage::Format_RGB32);
            // Ours set the unused byte as Qt's RGB32 has it; a file that
            // left it 0 goes through Qt's reader.
            if (!picture.isNull() &&
                device.read(reinterpret_cast<char*>(picture.bits()), imageBytes) == imageBytes &&
                qAlpha(picture.pixel(0, 0)) == 255) {
                picture.setDotsPerMeterX(header.get<qint32>(38));
                picture.setDotsPerMeterY(header.get<qint32>(42));
                return picture;
            }
        }
    }
    // Not one of ours (or ours damaged): whatever Qt makes of it.
    device.seek(0);
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (picture.isNull() && error)
        *error = reader.errorString();
    return picture;
}

QImage readBitmap(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return QImage();
    }
    return readBitmap(file, error);
}

} // namespace lw
