#pragma once

// The picture the office read last, kept in the office for the next
// document. A brochure is made again and again with the same logo, and
// reading and decoding the picture cost more than the rest of placing it.

#include <QByteArray>
#include <com/sun/star/graphic/XGraphic.hpp>

namespace lw::word::office {

struct KeptPicture {
    // The file's content the picture was read from: a picture is reused
    // only for the very same bytes, whatever the file's name or date.
    QByteArray bytes;
    css::uno::Reference<css::graphic::XGraphic> graphic;
};

} // namespace lw::word::office
