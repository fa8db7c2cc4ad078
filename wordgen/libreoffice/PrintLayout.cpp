#include "wordgen/libreoffice/PrintLayout.h"

#include "wordgen/libreoffice/DrawPage.h"
#include "wordgen/libreoffice/MemoryStream.h"
#include "wordgen/libreoffice/OfficeEngine.h"
#include "wordgen/libreoffice/UnoConvert.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/drawing/FillStyle.hpp>
#include <com/sun/star/drawing/LineStyle.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/XStyle.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/HoriOrientation.hpp>
#include <com/sun/star/text/RelOrientation.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/VertOrientation.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <rtl/ref.hxx>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace lw::word::office {
namespace {

// Marks are drawn as thin filled bars half a point wide.
constexpr double kMarkWidthInches = 0.5 / 72;

struct Box {
    sal_Int32 x = 0, y = 0, width = 0, height = 0;
    bool contains(sal_Int32 px, sal_Int32 py) const {
        return px >= x && px <= x + width && py >= y && py <= y + height;
    }
};

// One thing placed on a page, as found before anything moved.
struct Placed {
    Reference<beans::XPropertySet> properties;
    Reference<drawing::XShape> shape;
    int page = 0;
    // Placed across and down from the page's edge (not from the paragraph or
    // the margins, which move with the page's margins).
    bool acrossFromPage = false, downFromPage = false;
    bool fromPageCorner() const { return acrossFromPage && downFromPage; }
    Box box;
    bool picture = false;
    bool filled = false;
    sal_Int32 fill = 0xffffff;
    sal_Int32 zOrder = 0;
};

template <class T> T value(const Reference<beans::XPropertySet>& object, const char* name) {
    T result{};
    object->getPropertyValue(OUString::createFromAscii(name)) >>= result;
    return result;
}

bool has(const Reference<beans::XPropertySet>& object, const char* name) {
    return object->getPropertySetInfo()->hasPropertyByName(OUString::createFromAscii(name));
}

// The page style in use and its size; the size is the trimmed page.
struct PageStyles {
    std::vector<Reference<beans::XPropertySet>> inUse;
    sal_Int32 width = 0, height = 0;
};

PageStyles pageStylesInUse(const Reference<text::XTextDocument>& document) {
    const Reference<container::XNameAccess> styles(
        Reference<style::XStyleFamiliesSupplier>(document, UNO_QUERY_THROW)
            ->getStyleFamilies()
            ->getByName("PageStyles"),
        UNO_QUERY_THROW);
    PageStyles result;
    for (const OUString& name : styles->getElementNames()) {
        const Reference<style::XStyle> style(styles->getByName(name), UNO_QUERY_THROW);
        if (!style->isInUse())
            continue;
        const Reference<beans::XPropertySet> page(style, UNO_QUERY_THROW);
        if (result.inUse.empty()) {
            result.width = value<sal_Int32>(page, "Width");
            result.height = value<sal_Int32>(page, "Height");
        }
        result.inUse.push_back(page);
    }
    if (result.inUse.empty())
        throw AutomationError(QStringLiteral("The document has no page style in use"));
    return result;
}

// Each page grows by the offset (in inches) on every side; its margins grow
// with it, so what flows in the text stays where it was on the trimmed page.
void growPages(const PageStyles& styles, double offset) {
    // Grown by twice the offset rounded once, the page keeps the exact size a
    // print shop's software compares with its boxes.
    const sal_Int32 growth = hundredthsOfMm(2 * offset);
    for (const auto& page : styles.inUse) {
        for (const char* side : {"LeftMargin", "RightMargin", "TopMargin", "BottomMargin"})
            page->setPropertyValue(OUString::createFromAscii(side),
                                   Any(value<sal_Int32>(page, side) + hundredthsOfMm(offset)));
        page->setPropertyValue("Width", Any(value<sal_Int32>(page, "Width") + growth));
        page->setPropertyValue("Height", Any(value<sal_Int32>(page, "Height") + growth));
    }
}

// Where each page after the first starts in the body: the body holds only
// the paragraphs that what is placed on the pages is anchored to.
std::vector<Reference<text::XTextRange>> pageStarts(const Reference<text::XText>& body) {
    std::vector<Reference<text::XTextRange>> starts;
    const Reference<container::XEnumeration> paragraphs =
        Reference<container::XEnumerationAccess>(body, UNO_QUERY_THROW)->createEnumeration();
    bool first = true;
    while (paragraphs->hasMoreElements()) {
        const Reference<beans::XPropertySet> paragraph(paragraphs->nextElement(), UNO_QUERY);
        if (!paragraph.is() || !has(paragraph, "BreakType"))
            continue;
        const auto kind = value<style::BreakType>(paragraph, "BreakType");
        const bool breaks = kind == style::BreakType_PAGE_BEFORE ||
                            kind == style::BreakType_PAGE_BOTH ||
                            (!first && !value<OUString>(paragraph, "PageDescName").isEmpty());
        if (breaks && !first)
            starts.emplace_back(paragraph, UNO_QUERY_THROW);
        first = false;
    }
    return starts;
}

int pageOf(const Reference<beans::XPropertySet>& object, const Reference<text::XText>& body,
           const std::vector<Reference<text::XTextRange>>& starts) {
    if (value<text::TextContentAnchorType>(object, "AnchorType") ==
        text::TextContentAnchorType_AT_PAGE)
        return value<sal_Int16>(object, "AnchorPageNo");
    const Reference<text::XTextContent> content(object, UNO_QUERY);
    const Reference<text::XTextRange> anchor = content.is() ? content->getAnchor() : nullptr;
    if (!anchor.is() || anchor->getText() != body)
        return 0;
    const Reference<text::XTextRangeCompare> compare(body, UNO_QUERY_THROW);
    return 1 + int(std::count_if(starts.begin(), starts.end(), [&](const auto& start) {
               return compare->compareRegionStarts(start, anchor) >= 0;
           }));
}

std::vector<Placed> placedObjects(const Reference<text::XTextDocument>& document) {
    const Reference<container::XIndexAccess> drawPage = drawPageOf(document);
    const Reference<text::XText> body = document->getText();
    const auto starts = pageStarts(body);
    std::vector<Placed> placed;
    for (sal_Int32 i = 0; i < drawPage->getCount(); ++i) {
        Placed item;
        item.properties.set(drawPage->getByIndex(i), UNO_QUERY);
        item.shape.set(item.properties, UNO_QUERY);
        if (!item.properties.is() || !item.shape.is() || !has(item.properties, "AnchorType"))
            continue;
        item.page = pageOf(item.properties, body, starts);
        item.acrossFromPage =
            value<sal_Int16>(item.properties, "HoriOrient") == text::HoriOrientation::NONE &&
            value<sal_Int16>(item.properties, "HoriOrientRelation") ==
                text::RelOrientation::PAGE_FRAME;
        item.downFromPage =
            value<sal_Int16>(item.properties, "VertOrient") == text::VertOrientation::NONE &&
            value<sal_Int16>(item.properties, "VertOrientRelation") ==
                text::RelOrientation::PAGE_FRAME;
        const awt::Size size = item.shape->getSize();
        item.box = {value<sal_Int32>(item.properties, "HoriOrientPosition"),
                    value<sal_Int32>(item.properties, "VertOrientPosition"), size.Width,
                    size.Height};
        item.picture = Reference<lang::XServiceInfo>(item.properties, UNO_QUERY_THROW)
                           ->supportsService("com.sun.star.text.TextGraphicObject");
        item.filled =
            !item.picture && has(item.properties, "FillStyle") &&
            value<drawing::FillStyle>(item.properties, "FillStyle") == drawing::FillStyle_SOLID &&
            value<sal_Int16>(item.properties, "FillTransparence") == 0;
        if (item.filled)
            item.fill = value<sal_Int32>(item.properties, "FillColor");
        if (has(item.properties, "ZOrder"))
            item.zOrder = value<sal_Int32>(item.properties, "ZOrder");
        placed.push_back(item);
    }
    return placed;
}

// A coloured area's edge that lies within `reach` of the trim is moved out to
// the bleed's edge.
Box runOnToBleed(Box box, sal_Int32 reach, sal_Int32 bleed, const PageStyles& page) {
    if (box.x <= reach) {
        box.width += box.x + bleed;
        box.x = -bleed;
    }
    if (box.y <= reach) {
        box.height += box.y + bleed;
        box.y = -bleed;
    }
    if (box.x + box.width >= page.width - reach)
        box.width = page.width + bleed - box.x;
    if (box.y + box.height >= page.height - reach)
        box.height = page.height + bleed - box.y;
    return box;
}

void place(const Placed& item, const Box& box, sal_Int32 offset) {
    if (item.acrossFromPage)
        item.properties->setPropertyValue("HoriOrientPosition", Any(box.x + offset));
    if (item.downFromPage)
        item.properties->setPropertyValue("VertOrientPosition", Any(box.y + offset));
    if (box.width != item.box.width || box.height != item.box.height)
        item.shape->setSize(awt::Size(box.width, box.height));
}

// What the office made of a picture, as a QImage with its transparency.
QImage pictureImage(const Reference<graphic::XGraphic>& picture,
                    const Reference<graphic::XGraphicProvider>& provider) {
    const rtl::Reference<MemoryStream> stream(new MemoryStream);
    provider->storeGraphic(
        picture, properties({property("OutputStream", Any(Reference<io::XStream>(stream.get()))),
                             property("MimeType", Any(OUString("image/png")))}));
    return QImage::fromData(stream->bytes(), "PNG");
}

// Replaces a picture with transparency by the same picture laid on the colour
// behind it.
void flattenPicture(const Placed& item, sal_Int32 ground,
                    const Reference<graphic::XGraphicProvider>& provider,
                    const Reference<uno::XComponentContext>& context) {
    const auto picture = value<Reference<graphic::XGraphic>>(item.properties, "Graphic");
    if (!picture.is())
        return;
    const Reference<beans::XPropertySet> descriptor(picture, UNO_QUERY);
    const auto flag = [&](const char* name) {
        return has(descriptor, name) && value<bool>(descriptor, name);
    };
    if (!descriptor.is() || !(flag("Transparent") || flag("Alpha")))
        return;
    const QImage image = pictureImage(picture, provider);
    if (image.isNull())
        throw AutomationError(QStringLiteral("The picture on the page could not be read"));
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(QColor::fromRgb(QRgb(ground)));
    QPainter(&flat).drawImage(0, 0, image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    flat.save(&buffer, "PNG");
    const Reference<io::XSeekableInputStream> input = streamOfBytes(context, bytes);
    const Reference<graphic::XGraphic> opaque =
        provider->queryGraphic(properties({property("InputStream", Any(input))}));
    if (!opaque.is())
        throw AutomationError(QStringLiteral("The picture on the page could not be made opaque"));
    item.properties->setPropertyValue("Graphic", Any(opaque));
}

// The colour behind a picture: the topmost coloured area under its middle on
// its page, or the paper's white.
sal_Int32 groundOf(const Placed& picture, const std::vector<Placed>& placed) {
    const sal_Int32 x = picture.box.x + picture.box.width / 2;
    const sal_Int32 y = picture.box.y + picture.box.height / 2;
    const Placed* below = nullptr;
    for (const Placed& item : placed)
        if (item.filled && item.fromPageCorner() && item.page == picture.page &&
            item.zOrder < picture.zOrder && item.box.contains(x, y) &&
            (!below || item.zOrder > below->zOrder))
            below = &item;
    return below ? below->fill : 0xffffff;
}

double pixelsPerInch(const Placed& item) {
    const auto picture = value<Reference<graphic::XGraphic>>(item.properties, "Graphic");
    const Reference<beans::XPropertySet> descriptor(picture, UNO_QUERY);
    if (!descriptor.is() || item.box.width <= 0 || item.box.height <= 0)
        return 0;
    const auto pixels = value<awt::Size>(descriptor, "SizePixel");
    return std::min(pixels.Width * 2540.0 / item.box.width,
                    pixels.Height * 2540.0 / item.box.height);
}

class MarkPainter {
public:
    MarkPainter(const Reference<text::XTextDocument>& document, int page)
        : m_factory(document, UNO_QUERY_THROW), m_body(document->getText()), m_page(page) {}

    // A vertical bar centred on x from y to y + length, in inches on the page.
    void vertical(double x, double y, double length) {
        bar(x - kMarkWidthInches / 2, y, kMarkWidthInches, length);
    }
    void horizontal(double x, double y, double length) {
        bar(x, y - kMarkWidthInches / 2, length, kMarkWidthInches);
    }

private:
    void bar(double x, double y, double width, double height) {
        const Reference<drawing::XShape> shape(
            m_factory->createInstance("com.sun.star.drawing.RectangleShape"), UNO_QUERY_THROW);
        const Reference<beans::XPropertySet> settings(shape, UNO_QUERY_THROW);
        shape->setSize(awt::Size(std::max<sal_Int32>(1, hundredthsOfMm(width)),
                                 std::max<sal_Int32>(1, hundredthsOfMm(height))));
        pinToPage(settings, m_page, x, y);
        settings->setPropertyValue("FillStyle", Any(drawing::FillStyle_SOLID));
        settings->setPropertyValue("FillColor", Any(sal_Int32(0)));
        settings->setPropertyValue("LineStyle", Any(drawing::LineStyle_NONE));
        m_body->insertTextContent(m_body->getStart(),
                                  Reference<text::XTextContent>(shape, UNO_QUERY_THROW), false);
    }

    Reference<lang::XMultiServiceFactory> m_factory;
    Reference<text::XText> m_body;
    int m_page;
};

// Crop marks on the trim's lines at its corners, fold marks (dashed) on the
// folds above and below it, all outside the bleed.
void drawMarks(const Reference<text::XTextDocument>& document, const PrintShopSheet& sheet,
               double trimWidth, double trimHeight) {
    const double o = sheet.bleed + sheet.markRoom;
    const double near = sheet.bleed + sheet.markGap;
    const double length = sheet.markLength;
    const double dash = length * 0.4, gap = length * 0.2;
    for (int page = 1; page <= int(sheet.folds.size()); ++page) {
        MarkPainter marks(document, page);
        for (const double x : {o, o + trimWidth}) {
            marks.vertical(x, o - near - length, length);
            marks.vertical(x, o + trimHeight + near, length);
        }
        for (const double y : {o, o + trimHeight}) {
            marks.horizontal(o - near - length, y, length);
            marks.horizontal(o + trimWidth + near, y, length);
        }
        for (const double fold : sheet.folds[std::size_t(page - 1)]) {
            const double x = o + fold;
            marks.vertical(x, o - near - length, dash);
            marks.vertical(x, o - near - dash, dash);
            marks.vertical(x, o + trimHeight + near, dash);
            marks.vertical(x, o + trimHeight + near + dash + gap, dash);
        }
    }
}

// A PDF for the press: every font embedded, pictures as they are (no
// reduction, no lossy compression), nothing for the screen.
uno::Sequence<beans::PropertyValue> printPdfSettings() {
    return properties(
        {property("EmbedStandardFonts", Any(true)), property("UseLosslessCompression", Any(true)),
         property("ReduceImageResolution", Any(false)), property("ExportNotes", Any(false)),
         property("ExportFormFields", Any(false)), property("ExportBookmarks", Any(false))});
}

} // namespace

PrintShopPages exportForPrintShop(const Reference<text::XTextDocument>& document,
                                  const QString& fileName, const PrintShopSheet& sheet) {
    const PageStyles styles = pageStylesInUse(document);
    const std::vector<Placed> placed = placedObjects(document);
    const sal_Int32 offset = hundredthsOfMm(sheet.bleed + sheet.markRoom);
    const sal_Int32 bleed = hundredthsOfMm(sheet.bleed);
    const sal_Int32 reach = hundredthsOfMm(sheet.reachesTrim);

    PrintShopPages pages;
    const Reference<uno::XComponentContext> context = OfficeEngine::instance().context();
    const Reference<graphic::XGraphicProvider> provider = graphic::GraphicProvider::create(context);
    for (const Placed& item : placed) {
        if (!item.picture)
            continue;
        const double ppi = pixelsPerInch(item);
        if (ppi > 0 && (!pages.lowestPicturePpi || ppi < *pages.lowestPicturePpi))
            pages.lowestPicturePpi = ppi;
        flattenPicture(item, item.fromPageCorner() ? groundOf(item, placed) : 0xffffff, provider,
                       context);
    }

    growPages(styles, sheet.bleed + sheet.markRoom);
    for (const Placed& item : placed)
        place(item,
              item.filled && item.fromPageCorner() ? runOnToBleed(item.box, reach, bleed, styles)
                                                   : item.box,
              offset);
    if (sheet.markRoom > 0)
        drawMarks(document, sheet, styles.width / 2540.0, styles.height / 2540.0);

    const Reference<frame::XStorable> storable(document, UNO_QUERY_THROW);
    storable->storeToURL(fileUrl(fileName),
                         properties({property("FilterName", Any(OUString("writer_pdf_Export"))),
                                     property("Overwrite", Any(true)),
                                     property("FilterData", Any(printPdfSettings()))}));
    return pages;
}

} // namespace lw::word::office
