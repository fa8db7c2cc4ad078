#include "wordgen/libreoffice/OfficeShapes.h"

#include "wordgen/libreoffice/DrawPage.h"
#include "wordgen/libreoffice/KeptTemplate.h"
#include "wordgen/libreoffice/OfficeRange.h"

#include <com/sun/star/text/XText.hpp>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace lw::word::office {

namespace {

// A shape's text, when it has one (a picture or a line has none).
class OfficeTextFrame : public WordTextFrame {
public:
    OfficeTextFrame(std::shared_ptr<DocumentState> document, Reference<uno::XInterface> shape)
        : m_document(std::move(document)), m_shape(std::move(shape)) {}

    bool HasText() override {
        return m_document->call([this] {
            const Reference<text::XText> text = shapeText();
            if (!text.is())
                return false;
            return !(m_document->kept ? m_document->kept->text(text) : m_document->texts.text(text))
                        .isEmpty();
        });
    }

    Ref<WordRange> TextRange() override {
        const Reference<text::XText> text = m_document->call([this] { return shapeText(); });
        if (!text.is())
            throw AutomationError(QStringLiteral("This shape has no text"));
        return std::make_shared<OfficeRange>(m_document, text);
    }

private:
    Reference<text::XText> shapeText() {
        if (!m_queried) {
            m_text.set(m_shape, UNO_QUERY);
            m_queried = true;
        }
        return m_text;
    }

    std::shared_ptr<DocumentState> m_document;
    Reference<uno::XInterface> m_shape;
    Reference<text::XText> m_text;
    bool m_queried = false;
};

class OfficeShape : public WordShape {
public:
    OfficeShape(std::shared_ptr<DocumentState> document, Reference<uno::XInterface> shape)
        : m_frame(std::make_shared<OfficeTextFrame>(std::move(document), std::move(shape))) {}

    Ref<WordTextFrame> TextFrame() override { return m_frame; }

private:
    std::shared_ptr<OfficeTextFrame> m_frame;
};

} // namespace

Ref<WordShape> OfficeShapes::Item(int index) {
    if (index < 1 || index > m_count)
        throw AutomationError(QStringLiteral("The requested member of the collection does not "
                                             "exist"));
    const Reference<uno::XInterface> shape = m_document->call([&] {
        if (!m_drawPage.is() && m_document->kept)
            return m_document->kept->shapes().at(std::size_t(index - 1));
        return Reference<uno::XInterface>(m_drawPage->getByIndex(index - 1), UNO_QUERY_THROW);
    });
    return std::make_shared<OfficeShape>(m_document, shape);
}

Ref<WordCollection<WordShape>> drawPageShapes(const std::shared_ptr<DocumentState>& document) {
    return document->call([&] {
        // The kept template's objects are known until the brochure changes
        // more than its texts.
        if (document->kept && document->kept->shapesAsLoaded())
            return Ref<WordCollection<WordShape>>(std::make_shared<OfficeShapes>(
                document, nullptr, int(document->kept->shapes().size())));
        const Reference<container::XIndexAccess> drawPage = drawPageOf(document->document);
        return Ref<WordCollection<WordShape>>(
            std::make_shared<OfficeShapes>(document, drawPage, int(drawPage->getCount())));
    });
}

} // namespace lw::word::office
