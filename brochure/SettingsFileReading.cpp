#include "brochure/SettingsFileReading.h"

#include "brochure/BrochureProduct.h"
#include "shell/Failure.h"
#include "shell/FileRoutines.h"

#include <QFile>
#include <QList>
#include <QSettings>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace lw {
namespace {

// The bytes between two line ends; "\r\n" counts as one end.
QList<QByteArray> rawLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char ch = bytes.at(i);
        if (ch != '\n' && ch != '\r')
            continue;
        lines.append(bytes.mid(start, i - start));
        if (ch == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(bytes.mid(start));
    return lines;
}

// One line as the store scans it: a quote opens or closes a quoted part, a
// backslash takes the next character with it, and a semicolon outside quotes
// starts a comment that runs to the end of the line.
struct LineScan {
    bool runsOn = false;      // the store would read the next line as part of this one
    qsizetype equals = -1;    // the first '=' outside quotes
    qsizetype contentEnd = 0; // where a comment begins, or the line's length
};

LineScan scanLine(const QByteArray& line) {
    LineScan scan;
    bool inQuotes = false;
    bool escaped = false;
    scan.contentEnd = line.size();
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char ch = line.at(i);
        if (escaped) {
            escaped = false;
        } else if (ch == '\\') {
            escaped = true;
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes && ch == '=' && scan.equals < 0) {
            scan.equals = i;
        } else if (!inQuotes && ch == ';') {
            scan.contentEnd = i;
            return scan;
        }
    }
    scan.runsOn = inQuotes || escaped;
    return scan;
}

int fieldIndexOfKey(const QByteArray& key) {
    for (const BrochureField& field : kPlaceholderTable)
        if (key == field.key)
            return field.index;
    return -1;
}

// The value of a field's line, read by the store from a file holding only
// the fields' section and that line, so the store's own unescaping applies.
QString valueOfLine(const QTemporaryDir& folder, int number, const QByteArray& line, int index) {
    const QString path = folder.filePath(QStringLiteral("line-%1.ini").arg(number));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(QByteArray("[") + kSettingsSection + "]\n" + line + '\n');
    file.close();
    const QSettings single(path, QSettings::IniFormat);
    return single
        .value(QString::fromLatin1(kSettingsSection) + u'/' +
               QString::fromLatin1(kPlaceholderTable.at(std::size_t(index)).key))
        .toString();
}

} // namespace

SettingsFileReading readSettingsFile(const QByteArray& bytes, bool storeFormatError) {
    SettingsFileReading reading;
    QByteArray content = bytes;
    if (content.startsWith("\xef\xbb\xbf"))
        content.remove(0, 3);
    // The store decodes the file as UTF-8; bytes that are not are replaced.
    // Decoded piece by piece and thrown away: only whether it decodes counts,
    // and a whole copy of a huge file would cost seconds.
    QStringDecoder utf8(QStringDecoder::Utf8);
    constexpr qsizetype kPiece = 1 << 16;
    for (qsizetype at = 0; at < content.size() && !utf8.hasError(); at += kPiece)
        (void)QString(utf8(QByteArrayView(content).sliced(at, qMin(kPiece, content.size() - at))));
    reading.damaged = storeFormatError || utf8.hasError();

    struct FieldLine {
        int index;
        QByteArray line;
    };
    QList<FieldLine> fieldLines;
    bool inFieldSection = false;
    for (const QByteArray& line : rawLines(content)) {
        const LineScan scan = scanLine(line);
        reading.damaged = reading.damaged || scan.runsOn;
        const QByteArray text = line.left(scan.contentEnd).trimmed();
        if (text.isEmpty())
            continue;
        if (text.startsWith('[')) {
            const qsizetype close = text.indexOf(']');
            reading.damaged = reading.damaged || close < 0;
            inFieldSection = close > 0 && text.mid(1, close - 1).trimmed() == kSettingsSection;
            continue;
        }
        if (scan.equals < 0) {
            reading.damaged = true;
            continue;
        }
        const int index = inFieldSection ? fieldIndexOfKey(line.left(scan.equals).trimmed()) : -1;
        if (index >= 0)
            fieldLines.append({index, line});
    }
    if (!reading.damaged)
        return reading;

    const QTemporaryDir folder;
    if (!folder.isValid())
        return reading;
    int number = 0;
    for (const FieldLine& field : std::as_const(fieldLines))
        reading.fields[field.index] = valueOfLine(folder, number++, field.line, field.index);
    return reading;
}

QString keepDamagedCopy(const QString& file, const QByteArray& bytes, const QDateTime& when) {
    const QString base =
        file + QStringLiteral(".corrupt-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int attempt = 1;; ++attempt) {
        const QString copy = attempt == 1 ? base : base + QStringLiteral("-%1").arg(attempt);
        const QByteArray encoded = QFile::encodeName(copy);
        const int fd = ::open(encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            throw systemFailure(QStringLiteral("Cannot create"), copy);
        qsizetype written = 0;
        while (written < bytes.size()) {
            const ssize_t n =
                ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                const Failure failure = systemFailure(QStringLiteral("Cannot write"), copy);
                ::close(fd);
                ::unlink(encoded.constData());
                throw failure;
            }
            written += n;
        }
        if (::fsync(fd) != 0 || ::close(fd) != 0) {
            const Failure failure = systemFailure(QStringLiteral("Cannot write"), copy);
            ::unlink(encoded.constData());
            throw failure;
        }
        return copy;
    }
}

} // namespace lw
