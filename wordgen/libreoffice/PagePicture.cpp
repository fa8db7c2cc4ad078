#include "wordgen/libreoffice/PagePicture.h"

#include "wordgen/PictureResolution.h"
#include "wordgen/WordObjects.h"
#include "wordgen/libreoffice/MemoryOutputStream.h"
#include "wordgen/libreoffice/PdfPageDrawing.h"
#include "wordgen/libreoffice/UnoConvert.h"

#include <QSize>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/io/XOutputStream.hpp>

#include <rtl/ref.hxx>

#include <cmath>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace lw::word::office {

namespace {

QSize pictureSize(const QSizeF& page) {
    if (page.width() <= 0 || page.height() <= 0)
        return {kPictureLongestSide, kPictureLongestSide};
    const double scale = kPictureLongestSide / std::max(page.width(), page.height());
    return {std::max(1, int(std::lround(page.width() * scale))),
            std::max(1, int(std::lround(page.height() * scale)))};
}

// The first page as PDF, in memory.
QByteArray exportFirstPage(const Reference<text::XTextDocument>& document) {
    const rtl::Reference<MemoryOutputStream> stream(new MemoryOutputStream);
    const auto filterData = properties({property("PageRange", uno::Any(OUString("1")))});
    Reference<frame::XStorable>(document, UNO_QUERY_THROW)
        ->storeToURL("private:stream",
                     properties({property("FilterName", uno::Any(OUString("writer_pdf_Export"))),
                                 property("FilterData", uno::Any(filterData)),
                                 property("OutputStream",
                                          uno::Any(Reference<io::XOutputStream>(stream.get())))}));
    return stream->bytes();
}

} // namespace

QImage renderFirstPage(const Reference<text::XTextDocument>& document, const PicturePhase& phase) {
    const PdfFirstPage page(exportFirstPage(document));
    if (phase)
        phase("page exported");
    const QSize size = pictureSize(page.points());
    QImage picture = page.draw(size * kPicturePixelRatio);
    setPictureRatio(picture, kPicturePixelRatio);
    if (phase)
        phase("page drawn");
    return picture;
}

} // namespace lw::word::office
