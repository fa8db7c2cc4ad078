#pragma once

#include <QString>

namespace lw {

// The brochure fields in the per-user settings store: application "Tessaly",
// section "Leafwright", one string value per field under its FieldKey.
class FieldStore {
public:
    // The stored text of a field; empty when the key was never written.
    static QString read(int index);
    // Stores a field's text and puts it on disk before returning, so a crash
    // right after typing loses nothing. Throws a Failure when it cannot.
    static void write(int index, const QString& text);
    // Where the store lives, for diagnostics and tests.
    static QString location();
};

// The settings key of a field.
QString FieldKey(int index);

} // namespace lw
