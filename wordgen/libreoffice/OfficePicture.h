#pragma once

#include <QRectF>
#include <QString>
#include <com/sun/star/text/XTextDocument.hpp>

namespace lw::word::office {

// Embeds the picture of a file in the document (its data, not a link to the
// file, which may be gone tomorrow) and places it on the first page: the
// rectangle is in inches from the page's top left corner. The picture keeps
// its transparency. The office keeps the last picture it read, so the same
// logo, next time, is not read and decoded again.
void placePicture(const css::uno::Reference<css::text::XTextDocument>& document,
                  const QString& fileName, const QRectF& inches);

} // namespace lw::word::office
