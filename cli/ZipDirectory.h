#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class QIODevice;

namespace lw::cli {

// What a ZIP archive says it holds, read from its central directory alone:
// nothing is unpacked, and only the end of the file and the directory are
// read, so a huge or hostile archive costs no memory.
struct ZipDirectory {
    bool isZip = false;
    // Set when the archive cannot be judged (damaged, or a directory larger
    // than a workbook ever has); entries are empty then.
    QString problem;
    std::vector<QByteArray> names;
    // What its entries unpack to, added up; entries too large for the plain
    // format (ZIP64) count as 4 GiB each.
    quint64 unpackedBytes = 0;

    bool holds(const QByteArray& name) const;
    bool holdsUnder(const QByteArray& folder) const;
};

// Reads the archive's central directory; isZip is false for anything
// without one.
ZipDirectory readZipDirectory(QIODevice& device);

} // namespace lw::cli
