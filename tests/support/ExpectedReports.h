#pragma once

#include "brochure/BrochureProduct.h"

#include <QList>

// The error report lines of a generation run on the real engine whose office
// is lost at a given point, in the order they are shown.
namespace lw::test {

// The story pass with no document: each field's walk fails at its header and
// then at every step of its one body run that uses the range, and at its
// advance.
inline QList<int> storyPassWithoutADocument() {
    QList<int> lines;
    for (int i = 0; i < kFieldCount; ++i) {
        lines << 118;
        for (int line = 122; line <= 148; line += 2)
            lines << line;
        lines << 150;
    }
    return lines;
}

// The save and close of a document whose office is gone, then the snapshot
// of a working document that was never written, and the preview with no
// picture to load.
inline QList<int> fromTheSaveOn() {
    return {182, 186, 118, 120, 122, 124, 198};
}

// The shape pass with no document, then as above.
inline QList<int> fromTheShapePassOn() {
    QList<int> lines{154, 156};
    for (int i = 0; i < kFieldCount; ++i)
        lines << 160;
    lines << 164;
    return lines + fromTheSaveOn();
}

// The shape pass on a template the office keeps (its texts known, so
// walking them needs no office): each field's replacement in the first
// shape that holds a token fails, and so on for the others, then as above.
inline QList<int> fromTheShapeReplacementsOn() {
    QList<int> lines;
    for (int i = 0; i < kFieldCount; ++i)
        lines << 160;
    return lines + fromTheSaveOn();
}

} // namespace lw::test
