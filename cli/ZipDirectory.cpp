#include "cli/ZipDirectory.h"

#include <QIODevice>

#include <algorithm>

namespace lw::cli {
namespace {

constexpr quint32 kEndSignature = 0x06054b50;
constexpr quint32 kEntrySignature = 0x02014b50;
constexpr qint64 kEndRecordSize = 22;
constexpr qint64 kLongestComment = 0xFFFF;
// A workbook's directory holds a few dozen entries; a million names is no
// list of companies.
constexpr qint64 kMostDirectoryBytes = 16 << 20;
constexpr quint32 kPlainFormatLimit = 0xFFFFFFFF;

quint32 little16(const QByteArray& bytes, qsizetype at) {
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8;
}

quint32 little32(const QByteArray& bytes, qsizetype at) {
    return little16(bytes, at) | little16(bytes, at + 2) << 16;
}

} // namespace

bool ZipDirectory::holds(const QByteArray& name) const {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool ZipDirectory::holdsUnder(const QByteArray& folder) const {
    return std::any_of(names.begin(), names.end(),
                       [&](const QByteArray& name) { return name.startsWith(folder); });
}

ZipDirectory readZipDirectory(QIODevice& device) {
    ZipDirectory zip;
    const qint64 size = device.size();
    if (!device.seek(0) || device.read(4) != QByteArray("PK\x03\x04", 4))
        return zip;
    zip.isZip = true;
    const auto damaged = [&zip](const QString& why) {
        zip.problem = why;
        zip.names.clear();
        zip.unpackedBytes = 0;
        return zip;
    };

    // The end record sits in the last 22 bytes, or before a comment.
    const qint64 tailSize = std::min(size, kEndRecordSize + kLongestComment);
    if (tailSize < kEndRecordSize || !device.seek(size - tailSize))
        return damaged(QStringLiteral("it is damaged: its ZIP archive is cut short"));
    const QByteArray tail = device.read(tailSize);
    qsizetype end = -1;
    for (qsizetype at = tail.size() - kEndRecordSize; at >= 0 && end < 0; --at)
        if (little32(tail, at) == kEndSignature)
            end = at;
    if (end < 0)
        return damaged(QStringLiteral("it is damaged: its ZIP archive is cut short"));
    const quint32 count = little16(tail, end + 10);
    const quint32 directorySize = little32(tail, end + 12);
    const quint32 directoryOffset = little32(tail, end + 16);
    if (count == 0xFFFF || directoryOffset == kPlainFormatLimit ||
        directorySize > kMostDirectoryBytes)
        return damaged(QStringLiteral("it is far larger than a list (a ZIP64 archive)"));
    if (qint64(directoryOffset) + directorySize > size || !device.seek(directoryOffset))
        return damaged(QStringLiteral("it is damaged: its ZIP archive does not hold together"));
    const QByteArray directory = device.read(directorySize);
    if (directory.size() != qsizetype(directorySize))
        return damaged(QStringLiteral("it is damaged: its ZIP archive does not hold together"));

    qsizetype at = 0;
    for (quint32 n = 0; n < count; ++n) {
        if (at + 46 > directory.size() || little32(directory, at) != kEntrySignature)
            return damaged(QStringLiteral("it is damaged: its ZIP archive does not hold together"));
        const quint32 unpacked = little32(directory, at + 24);
        const qsizetype nameLength = little16(directory, at + 28);
        const qsizetype rest =
            nameLength + little16(directory, at + 30) + little16(directory, at + 32);
        if (at + 46 + rest > directory.size())
            return damaged(QStringLiteral("it is damaged: its ZIP archive does not hold together"));
        zip.names.push_back(directory.mid(at + 46, nameLength));
        // ZIP64 keeps the real size elsewhere; it is 4 GiB or more.
        zip.unpackedBytes += unpacked == kPlainFormatLimit ? quint64(1) << 32 : unpacked;
        at += 46 + rest;
    }
    return zip;
}

} // namespace lw::cli
