#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace lw {

// What the settings store was found to be at start-up.
struct StoreCheck {
    // What the user must be told, in plain words; empty when all is well.
    QString notice;
    // Changes will not reach the settings file, and the notice says so.
    bool notKept = false;
    // For a damaged file: its path, the copy of its original contents (empty
    // when none could be made, and why) and the fields read back from it.
    QString damagedFile;
    QString damagedCopy;
    QString copyProblem;
    QList<int> recoveredFields;
};

// The brochure fields in the per-user settings store: application "Tessaly",
// section "Leafwright", one string value per field under its FieldKey.
class FieldStore {
public:
    // The stored text of a field; empty when the key was never written.
    static QString read(int index);
    // Stores a field's text and puts it on disk before returning, so a crash
    // right after typing loses nothing. When it cannot, throws a Failure
    // whose description tells the user, in plain words, that the text will
    // not be kept, where and why.
    static void write(int index, const QString& text);
    // Where the store lives, for diagnostics and tests.
    static QString location();

    // Looks at the settings file before anything is written to it. A file
    // the store cannot read as it was written is copied beside itself first,
    // then rewritten with every field value still readable from it; when no
    // copy can be made, the file is left alone for the session. Also finds
    // out whether changes can be kept at all.
    static StoreCheck checkAtStartUp(const QDateTime& now = QDateTime::currentDateTime());
};

// The settings key of a field.
QString FieldKey(int index);

} // namespace lw
