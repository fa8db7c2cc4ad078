#pragma once

// A text document's draw page: its shapes, pictures and text frames, in
// order, and how one is pinned to a page.

#include "wordgen/libreoffice/UnoConvert.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/text/HoriOrientation.hpp>
#include <com/sun/star/text/RelOrientation.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/VertOrientation.hpp>
#include <com/sun/star/text/WrapTextMode.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

namespace lw::word::office {

inline css::uno::Reference<css::container::XIndexAccess>
drawPageOf(const css::uno::Reference<css::text::XTextDocument>& document) {
// A text document has one draw page and offers only this older interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return css::uno::Reference<css::container::XIndexAccess>(
        css::uno::Reference<css::drawing::XDrawPageSupplier>(document, css::uno::UNO_QUERY_THROW)
            ->getDrawPage(),
        css::uno::UNO_QUERY_THROW);
#pragma GCC diagnostic pop
}

// Anchors a picture or shape to a page (1 for the first), its top left
// corner this far in inches from the page's, with the text flowing on
// through it as if it were not there.
inline void pinToPage(const css::uno::Reference<css::beans::XPropertySet>& object, int page,
                      double left, double top) {
    using namespace css::text;
    using css::uno::Any;
    object->setPropertyValue("AnchorType", Any(TextContentAnchorType_AT_PAGE));
    object->setPropertyValue("AnchorPageNo", Any(sal_Int16(page)));
    object->setPropertyValue("HoriOrient", Any(HoriOrientation::NONE));
    object->setPropertyValue("HoriOrientRelation", Any(RelOrientation::PAGE_FRAME));
    object->setPropertyValue("HoriOrientPosition", Any(hundredthsOfMm(left)));
    object->setPropertyValue("VertOrient", Any(VertOrientation::NONE));
    object->setPropertyValue("VertOrientRelation", Any(RelOrientation::PAGE_FRAME));
    object->setPropertyValue("VertOrientPosition", Any(hundredthsOfMm(top)));
    object->setPropertyValue("Surround", Any(WrapTextMode_THROUGH));
}

} // namespace lw::word::office
