#include "cli/ListFile.h"

#include "cli/ZipDirectory.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace lw::cli {
namespace {

QString megabytes(qint64 bytes) {
    return QLocale(QLocale::English).toString((bytes + (1 << 20) - 1) >> 20);
}

QString tooLarge(qint64 bytes, qint64 most, const char* how) {
    return QStringLiteral("it %1 %2 MB, more than a list may (%3 MB); split it into smaller "
                          "lists")
        .arg(QLatin1String(how), megabytes(bytes), megabytes(most));
}

// The ending a file of this kind is named with, for the advice to rename it.
struct Kind {
    QString words;
    QString ending;
};

Kind kindOf(QFile& file) {
    file.seek(0);
    const QByteArray start = file.read(4096);
    if (start.startsWith("PK\x03\x04")) {
        const ZipDirectory zip = readZipDirectory(file);
        // An OpenDocument file names its kind first, uncompressed.
        if (start.contains("opendocument.spreadsheet"))
            return {QStringLiteral("an OpenDocument spreadsheet (.ods)"), QStringLiteral(".ods")};
        if (start.contains("application/vnd.oasis.opendocument"))
            return {QStringLiteral("an OpenDocument file other than a spreadsheet"), {}};
        if (zip.holdsUnder("xl/"))
            return {QStringLiteral("an Excel workbook (.xlsx)"), QStringLiteral(".xlsx")};
        if (zip.holdsUnder("word/"))
            return {QStringLiteral("a Word document (.docx)"), {}};
        return {QStringLiteral("a ZIP archive"), {}};
    }
    if (start.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return {QStringLiteral("an Excel 97-2003 workbook (.xls) or another old Office file"),
                QStringLiteral(".xls")};
    if (start.startsWith("%PDF"))
        return {QStringLiteral("a PDF document"), {}};
    if (start.startsWith("\x89PNG") || start.startsWith("\xFF\xD8\xFF"))
        return {QStringLiteral("a picture"), {}};
    // UTF-16 text has zero bytes; anything else with them is no text.
    const bool utf16 = start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF") ||
                       (start.size() > 1 && (start[0] == 0 || start[1] == 0));
    if (!utf16 && start.contains('\0'))
        return {QStringLiteral("binary data"), {}};
    return {};
}

QString renameAdvice(const Kind& kind) {
    return kind.ending.isEmpty() ? QString()
                                 : QStringLiteral("; rename it to end in %1").arg(kind.ending);
}

QString notAFile(const QFileInfo& info) {
    if (!info.exists())
        return QStringLiteral("no such file");
    if (info.isDir())
        return QStringLiteral("it is a folder, not a list");
    return QStringLiteral("it is not a regular file");
}

} // namespace

QString kindOfContents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return kindOf(file).words;
}

TextListFile readTextListFile(const QString& path) {
    QFile file;
    if (path == QLatin1String("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly))
            return {{}, file.errorString()};
    } else {
        const QFileInfo info(path);
        if (!info.isFile())
            return {{}, notAFile(info)};
        if (info.size() > kMostTextListBytes)
            return {{}, tooLarge(info.size(), kMostTextListBytes, "is")};
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly))
            return {{}, QStringLiteral("cannot read it: %1").arg(file.errorString())};
        if (const Kind kind = kindOf(file); !kind.words.isEmpty())
            return {{},
                    QStringLiteral("it is %1, not a text list as its name says%2")
                        .arg(kind.words, renameAdvice(kind))};
        file.seek(0);
    }
    // Read one byte past the limit: a pipe or a growing file tells its
    // size only so.
    TextListFile list;
    list.bytes = file.read(kMostTextListBytes + 1);
    if (list.bytes.size() > kMostTextListBytes) {
        list.bytes.clear();
        list.error = QStringLiteral("it holds more than a list may (%1 MB); split it into smaller "
                                    "lists")
                         .arg(megabytes(kMostTextListBytes));
    }
    return list;
}

QString workbookFileProblem(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return notAFile(info);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read it: %1").arg(file.errorString());
    const ZipDirectory zip = readZipDirectory(file);
    if (!zip.problem.isEmpty())
        return zip.problem;
    const Kind kind = kindOf(file);
    if (kind.words.isEmpty()) {
        // HTML or XML tables saved under a workbook's name are opened by
        // the office; other text is a text list.
        file.seek(0);
        const QByteArray start = file.read(512).trimmed();
        if (!start.startsWith('<') && !start.startsWith("\xEF\xBB\xBF<"))
            return QStringLiteral("it is a text list (CSV), not a workbook as its name says; "
                                  "rename it to end in .csv");
    } else if (kind.ending.isEmpty()) {
        return QStringLiteral("it is %1, not a workbook").arg(kind.words);
    }
    if (!zip.isZip) {
        if (info.size() > kMostWorkbookBytes)
            return tooLarge(info.size(), kMostWorkbookBytes, "is");
        return {};
    }
    if (zip.unpackedBytes > quint64(kMostWorkbookBytes))
        return tooLarge(qint64(std::min<quint64>(zip.unpackedBytes, quint64(1) << 50)),
                        kMostWorkbookBytes, "unpacks to");
    return {};
}

} // namespace lw::cli
