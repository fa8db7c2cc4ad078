#include "brochure/FieldStore.h"

#include "brochure/BrochureProduct.h"
#include "brochure/SettingsFileReading.h"
#include "shell/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace lw {
namespace {

// Set for the session when a damaged file could not be copied: the file is
// left as it is, and the values read from it, and typed since, live here.
QString g_refusal;
std::map<int, QString> g_unkeptValues;

QSettings openStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(kSettingsApplication),
                     QString::fromLatin1(kSettingsSection));
}

QString sectionKey(int index) {
    return QString::fromLatin1(kSettingsSection) + '/' + FieldKey(index);
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Why the store cannot write the file now, in the system's words; empty when
// it can. The store opens an existing file for reading and writing, then
// writes a new file in its folder and renames it over the old one.
QString writeProblem(const QString& file) {
    const QByteArray encoded = QFile::encodeName(file);
    struct stat info {};
    if (::stat(encoded.constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return systemReason(EISDIR);
        const int fd = ::open(encoded.constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            return systemReason(errno);
        ::close(fd);
    } else if (errno != ENOENT) {
        return systemReason(errno);
    }
    // The folder, or the nearest one above it that exists: the store makes
    // the missing ones.
    QFileInfo folder(QFileInfo(file).absolutePath());
    while (!folder.exists() && !folder.isRoot())
        folder = QFileInfo(folder.absolutePath());
    if (!folder.isDir())
        return systemReason(ENOTDIR);
    if (::access(QFile::encodeName(folder.absoluteFilePath()).constData(), W_OK | X_OK) != 0)
        return systemReason(errno);
    return QString();
}

QString notKeptNotice(const QString& file, const QString& reason) {
    const QString where =
        QStringLiteral("The brochure data cannot be saved in the settings file %1")
            .arg(QDir::toNativeSeparators(file));
    return (reason.isEmpty() ? where : where + QStringLiteral(": ") + reason) +
           QStringLiteral(".\n\nWhat you type is used for your brochures, but it will not be "
                          "kept after Leafwright closes.");
}

QString damagedNotice(const QString& file, const QString& copy) {
    return QStringLiteral("The settings file %1 was damaged, so Leafwright could not read all of "
                          "it.\n\nIts original contents are kept unchanged in %2. The brochure "
                          "data that could still be read is back in the fields; please check "
                          "them.")
        .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(copy));
}

QString uncopiedNotice(const QString& file, const QString& why) {
    return QStringLiteral("The settings file %1 is damaged, so Leafwright could not read all of "
                          "it, and no copy of it could be made (%2).\n\nLeafwright leaves the "
                          "file as it is. The brochure data that could still be read is in the "
                          "fields, but what you type will not be kept after Leafwright closes.")
        .arg(QDir::toNativeSeparators(file), why);
}

// A clean file with the values that could be read, and nothing else.
void rewriteWith(const std::map<int, QString>& fields) {
    QSettings store = openStore();
    store.clear();
    for (const auto& [index, value] : fields)
        store.setValue(sectionKey(index), value);
    store.sync();
}

} // namespace

QString FieldKey(int index) {
    return QString::fromLatin1(kPlaceholderTable.at(std::size_t(index)).key);
}

QString FieldStore::read(int index) {
    if (!g_refusal.isEmpty()) {
        const auto kept = g_unkeptValues.find(index);
        return kept == g_unkeptValues.end() ? QString() : kept->second;
    }
    QSettings store = openStore();
    return store.value(sectionKey(index), QString()).toString();
}

void FieldStore::write(int index, const QString& text) {
    if (!g_refusal.isEmpty()) {
        g_unkeptValues[index] = text;
        throw Failure(g_refusal);
    }
    QSettings store = openStore();
    store.setValue(sectionKey(index), text);
    store.sync();
    if (store.status() == QSettings::AccessError)
        throw Failure(notKeptNotice(store.fileName(), writeProblem(store.fileName())));
}

QString FieldStore::location() {
    return openStore().fileName();
}

StoreCheck FieldStore::checkAtStartUp(const QDateTime& now) {
    g_refusal.clear();
    g_unkeptValues.clear();
    StoreCheck check;
    QStringList notices;
    const QString file = location();
    QFile original(file);
    if (QFileInfo(file).isFile() && original.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = original.readAll();
        original.close();
        QSettings store = openStore();
        store.allKeys(); // parses every section, so a format error shows
        const SettingsFileReading reading =
            readSettingsFile(bytes, store.status() == QSettings::FormatError);
        if (reading.damaged) {
            check.damagedFile = file;
            for (const auto& [index, value] : reading.fields)
                check.recoveredFields << index;
            try {
                const QString copy = keepDamagedCopy(file, bytes, now);
                rewriteWith(reading.fields);
                notices << damagedNotice(file, copy);
                check.damagedCopy = copy;
            } catch (const Failure& failure) {
                check.copyProblem = failure.description();
                notices << uncopiedNotice(file, failure.description());
                g_refusal = uncopiedNotice(file, failure.description());
                g_unkeptValues = reading.fields;
                check.notKept = true;
            }
        }
    }
    if (g_refusal.isEmpty()) {
        const QString problem = writeProblem(file);
        if (!problem.isEmpty()) {
            notices << notKeptNotice(file, problem);
            check.notKept = true;
        }
    }
    check.notice = notices.join(QStringLiteral("\n\n"));
    return check;
}

} // namespace lw
