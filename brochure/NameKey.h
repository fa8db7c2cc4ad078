#pragma once

#include <QString>

namespace lw {

// Letters and digits only, in lower case: names people write in different
// ways ("Zip-Code", "zip_code" and "ZIP Code"; "Teal & Amber" and
// "teal-amber") compare as one.
inline QString nameKey(const QString& name) {
    QString key;
    for (const QChar c : name)
        if (c.isLetterOrNumber())
            key += c.toCaseFolded();
    return key;
}

} // namespace lw
