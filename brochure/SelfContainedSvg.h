#pragma once

#include <QByteArray>
#include <QString>

namespace lw {

// An SVG picture rewritten so that drawing it reads nothing but its own
// bytes. Qt's SVG renderer follows <image> references to files (the picture
// itself included, which recurses until the stack runs out), so every
// reference that leaves the document is taken out before it is drawn.
struct SelfContainedSvg {
    QByteArray bytes;
    // Why the picture cannot be used, in plain words; bytes are empty then.
    QString problem;
};

// The largest SVG read, compressed or not: far more than any logo needs.
inline constexpr qsizetype kMostSvgBytes = 16 << 20;

// Takes SVG or gzip-compressed SVG (.svgz) and keeps elements and attributes
// as they are, except: references to anything but a fragment of the same
// document ("#id") or an embedded PNG, JPEG, GIF, WebP or BMP picture
// ("data:image/png;base64,..."); elements that load or run other content
// (scripts, foreign objects, audio and video); style sheets that import or
// point elsewhere; the document type with its entities, processing
// instructions and comments.
SelfContainedSvg selfContainedSvg(const QByteArray& svg);

} // namespace lw
