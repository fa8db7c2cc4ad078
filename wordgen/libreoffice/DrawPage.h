#pragma once

// A text document's draw page: its shapes, pictures and text frames, in
// order.

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
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

} // namespace lw::word::office
