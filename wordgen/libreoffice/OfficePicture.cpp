#include "wordgen/libreoffice/OfficePicture.h"

#include "wordgen/WordObjects.h"
#include "wordgen/libreoffice/DrawPage.h"
#include "wordgen/libreoffice/MemoryStream.h"
#include "wordgen/libreoffice/OfficeEngine.h"
#include "wordgen/libreoffice/UnoConvert.h"

#include <QFile>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/XTextContent.hpp>

#include <cmath>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace lw::word::office {
namespace {

AutomationError unreadable(const QString& fileName) {
    return AutomationError(QStringLiteral("The picture \"%1\" could not be read").arg(fileName));
}

// The office reads the bytes read here, so the picture it keeps is the one
// compared with next time, even if the file changes in between.
Reference<graphic::XGraphic> readPicture(const QString& fileName) {
    QFile file(fileName);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (bytes.isEmpty())
        throw unreadable(fileName);
    KeptPicture& kept = OfficeEngine::instance().keptPicture();
    if (kept.graphic.is() && kept.bytes == bytes)
        return kept.graphic;

    const Reference<uno::XComponentContext> context = OfficeEngine::instance().context();
    const Reference<io::XSeekableInputStream> stream = streamOfBytes(context, bytes);
    const Reference<graphic::XGraphic> picture =
        graphic::GraphicProvider::create(context)->queryGraphic(
            properties({property("InputStream", uno::Any(stream))}));
    if (!picture.is())
        throw unreadable(fileName);
    kept = {bytes, picture};
    return picture;
}

} // namespace

void placePicture(const Reference<text::XTextDocument>& document, const QString& fileName,
                  const QRectF& inches) {
    const Reference<graphic::XGraphic> picture = readPicture(fileName);

    const Reference<text::XTextContent> frame(
        Reference<lang::XMultiServiceFactory>(document, UNO_QUERY_THROW)
            ->createInstance("com.sun.star.text.TextGraphicObject"),
        UNO_QUERY_THROW);
    const Reference<beans::XPropertySet> settings(frame, UNO_QUERY_THROW);
    settings->setPropertyValue("Graphic", uno::Any(picture));
    pinToPage(settings, 1, inches.left(), inches.top());
    settings->setPropertyValue("Size", uno::Any(awt::Size(hundredthsOfMm(inches.width()),
                                                          hundredthsOfMm(inches.height()))));
    // In front of the cover's coloured card.
    settings->setPropertyValue("Opaque", uno::Any(true));
    const Reference<text::XText> body = document->getText();
    body->insertTextContent(body->getStart(), frame, false);
}

} // namespace lw::word::office
