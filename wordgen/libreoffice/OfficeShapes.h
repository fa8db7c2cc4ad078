#pragma once

// The objects on a document's draw page, text frames and drawing shapes
// alike, in draw page order.

#include "wordgen/WordObjects.h"
#include "wordgen/libreoffice/SessionState.h"

#include <com/sun/star/container/XIndexAccess.hpp>

namespace lw::word::office {

class OfficeShapes : public WordCollection<WordShape> {
public:
    OfficeShapes(std::shared_ptr<DocumentState> document,
                 css::uno::Reference<css::container::XIndexAccess> drawPage, int count)
        : m_document(std::move(document)), m_drawPage(std::move(drawPage)), m_count(count) {}

    int Count() override { return m_count; }
    Ref<WordShape> Item(int index) override;

private:
    std::shared_ptr<DocumentState> m_document;
    css::uno::Reference<css::container::XIndexAccess> m_drawPage;
    int m_count;
};

// Opens the draw page of the document.
Ref<WordCollection<WordShape>> drawPageShapes(const std::shared_ptr<DocumentState>& document);

} // namespace lw::word::office
