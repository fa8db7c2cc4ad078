#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <map>

namespace lw {

// The settings file read line by line, as the store would read it if every
// line stood on its own. The store reads a file as one stream: a line with
// an open quote or a trailing backslash runs into the lines after it, a line
// it cannot parse is dropped, and its next write keeps only what it read.
struct SettingsFileReading {
    // The store would not read this file as it was written: rewriting it from
    // what the store read would lose part of it.
    bool damaged = false;
    // Each field value that a line of the fields' section holds, by field
    // index, parsed from that line alone; a later line for the same field
    // wins, as in the store.
    std::map<int, QString> fields;
};

// Reads the file's bytes. storeFormatError: the store itself found lines it
// could not parse.
SettingsFileReading readSettingsFile(const QByteArray& bytes, bool storeFormatError);

// Writes the bytes beside file as "<file>.corrupt-<date>-<time>", adding
// "-2", "-3", ... when that name is taken: an earlier copy is never
// replaced. Returns the copy's path; throws a Failure with the system's
// reason when no copy could be made.
QString keepDamagedCopy(const QString& file, const QByteArray& bytes, const QDateTime& when);

} // namespace lw
