#include "wordgen/libreoffice/PagePicture.h"

#include "wordgen/PictureResolution.h"
#include "wordgen/WordObjects.h"
#include "wordgen/libreoffice/MemoryOutputStream.h"
#include "wordgen/libreoffice/UnoConvert.h"
#include "wordgen/pdf/PdfPages.h"

#include <QGuiApplication>
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

// The whole document as PDF, in memory.
QByteArray exportDocument(const Reference<text::XTextDocument>& document) {
    const rtl::Reference<MemoryOutputStream> stream(new MemoryOutputStream);
    Reference<frame::XStorable>(document, UNO_QUERY_THROW)
        ->storeToURL("private:stream",
                     properties({property("FilterName", uno::Any(OUString("writer_pdf_Export"))),
                                 property("OutputStream",
                                          uno::Any(Reference<io::XOutputStream>(stream.get())))}));
    return stream->bytes();
}

} // namespace

double picturePixelRatio() {
    // The finest screen's; without screens (no windows) one.
    const auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    return application ? std::max(1.0, application->devicePixelRatio()) : 1.0;
}

PagePicture renderFirstPage(const Reference<text::XTextDocument>& document,
                            const PicturePhase& phase) {
    PagePicture result;
    result.document = exportDocument(document);
    if (phase)
        phase("page exported");
    const PdfPages pages(result.document);
    const double ratio = picturePixelRatio();
    const QSize size = pictureSize(pages.points(1));
    result.firstPage = pages.draw(1, (QSizeF(size) * ratio).toSize());
    setPictureRatio(result.firstPage, ratio);
    if (phase)
        phase("page drawn");
    return result;
}

} // namespace lw::word::office
