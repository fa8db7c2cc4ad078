#include "wordgen/libreoffice/PagePicture.h"

#include "wordgen/WordObjects.h"
#include "wordgen/libreoffice/UnoConvert.h"

#include <QDir>
#include <QSize>
#include <QTemporaryDir>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XTextCursor.hpp>

#include <cmath>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace lw::word::office {

namespace {

// The size of the first page (in 1/100 mm), from the page style in force at
// the start of the main text.
QSizeF firstPageSize(const Reference<text::XTextDocument>& document) {
    const Reference<beans::XPropertySet> start(document->getText()->createTextCursor(),
                                               UNO_QUERY_THROW);
    const OUString styleName = start->getPropertyValue("PageStyleName").get<OUString>();
    const Reference<container::XNameAccess> pageStyles(
        Reference<style::XStyleFamiliesSupplier>(document, UNO_QUERY_THROW)
            ->getStyleFamilies()
            ->getByName("PageStyles"),
        UNO_QUERY_THROW);
    const Reference<beans::XPropertySet> style(pageStyles->getByName(styleName), UNO_QUERY_THROW);
    return QSizeF(style->getPropertyValue("Width").get<sal_Int32>(),
                  style->getPropertyValue("Height").get<sal_Int32>());
}

QSize pictureSize(const QSizeF& page) {
    if (page.width() <= 0 || page.height() <= 0)
        return {kPictureLongestSide, kPictureLongestSide};
    const double scale = kPictureLongestSide / std::max(page.width(), page.height());
    return {std::max(1, int(std::lround(page.width() * scale))),
            std::max(1, int(std::lround(page.height() * scale)))};
}

} // namespace

QImage renderFirstPage(const Reference<text::XTextDocument>& document) {
    const QSize size = pictureSize(firstPageSize(document));
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/leafwright-page-XXXXXX"));
    if (!folder.isValid())
        throw AutomationError(QStringLiteral("Cannot create a temporary folder for the page "
                                             "picture: %1")
                                  .arg(folder.errorString()));
    const QString file = folder.filePath(QStringLiteral("page.png"));
    const auto filterData =
        properties({property("PixelWidth", uno::Any(sal_Int32(size.width()))),
                    property("PixelHeight", uno::Any(sal_Int32(size.height())))});
    Reference<frame::XStorable>(document, UNO_QUERY_THROW)
        ->storeToURL(fileUrl(file),
                     properties({property("FilterName", uno::Any(OUString("writer_png_Export"))),
                                 property("FilterData", uno::Any(filterData))}));
    const QImage image(file);
    if (image.isNull())
        throw AutomationError(
            QStringLiteral("The word-processing engine made no readable picture of the page"));
    // The export filter may round the size up by a pixel.
    if (image.size() != size)
        return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace lw::word::office
