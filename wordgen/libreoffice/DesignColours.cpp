#include "wordgen/libreoffice/DesignColours.h"

#include "wordgen/libreoffice/DrawPage.h"
#include "wordgen/libreoffice/KeptTemplate.h"
#include "wordgen/libreoffice/UnoConvert.h"

#include <QSet>
#include <QStringList>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/table/BorderLine2.hpp>
#include <com/sun/star/util/XSearchable.hpp>

#include <map>
#include <set>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

// Every call below crosses to the office process and back, so each part is
// reached with as few calls as it takes: styles by name, paragraphs by
// their style through one search, shapes by one walk of the draw page.

namespace lw::word::office {
namespace {

using Part = DesignColour::Part;
// The colours wanted for one kind of part, by name.
using ByName = std::map<QString, sal_Int32>;

QSet<QString> namesOf(const Reference<container::XNameAccess>& container) {
    QSet<QString> names;
    for (const OUString& name : container->getElementNames())
        names.insert(fromUno(name));
    return names;
}

// Each border a style or paragraph draws takes the colour; sides without one
// stay so. In one call each way where the part takes several at once.
void colourBorders(const Reference<uno::XInterface>& part, sal_Int32 rgb) {
    const OUString names[] = {"TopBorder", "BottomBorder", "LeftBorder", "RightBorder"};
    const uno::Sequence<OUString> sides(names, 4);
    const Reference<beans::XMultiPropertySet> several(part, UNO_QUERY);
    const Reference<beans::XPropertySet> single(part, UNO_QUERY);
    uno::Sequence<uno::Any> lines(4);
    if (several.is())
        lines = several->getPropertyValues(sides);
    else
        for (sal_Int32 i = 0; i < 4; ++i)
            lines.getArray()[i] = single->getPropertyValue(sides[i]);
    for (sal_Int32 i = 0; i < 4; ++i) {
        table::BorderLine2 line;
        if (!(lines[i] >>= line) ||
            (line.OuterLineWidth == 0 && line.InnerLineWidth == 0 && line.LineWidth == 0)) {
            lines.getArray()[i].clear();
            continue;
        }
        line.Color = rgb;
        lines.getArray()[i] <<= line;
        if (!several.is())
            single->setPropertyValue(sides[i], lines[i]);
    }
    if (!several.is())
        return;
    std::vector<OUString> drawn;
    std::vector<uno::Any> coloured;
    for (sal_Int32 i = 0; i < 4; ++i)
        if (lines[i].hasValue()) {
            drawn.push_back(sides[i]);
            coloured.push_back(lines[i]);
        }
    if (!drawn.empty())
        several->setPropertyValues(
            uno::Sequence<OUString>(drawn.data(), sal_Int32(drawn.size())),
            uno::Sequence<uno::Any>(coloured.data(), sal_Int32(coloured.size())));
}

void colourStyles(const Reference<text::XTextDocument>& document,
                  const std::vector<DesignColour>& colours, QStringList& missing) {
    const Reference<container::XNameAccess> families =
        Reference<style::XStyleFamiliesSupplier>(document, UNO_QUERY_THROW)->getStyleFamilies();
    const Reference<container::XNameAccess> paragraphStyles(families->getByName("ParagraphStyles"),
                                                            UNO_QUERY_THROW);
    const Reference<container::XNameAccess> characterStyles(families->getByName("CharacterStyles"),
                                                            UNO_QUERY_THROW);
    const QSet<QString> paragraphNames = namesOf(paragraphStyles);
    const QSet<QString> characterNames = namesOf(characterStyles);
    for (const DesignColour& colour : colours) {
        if (colour.part != Part::StyleText && colour.part != Part::StyleBorder)
            continue;
        // A name used by both kinds is the paragraph style's.
        const Reference<container::XNameAccess> family =
            paragraphNames.contains(colour.name)   ? paragraphStyles
            : characterNames.contains(colour.name) ? characterStyles
                                                   : nullptr;
        if (!family.is()) {
            missing << QStringLiteral("the style \"%1\"").arg(colour.name);
            continue;
        }
        const Reference<beans::XPropertySet> style(family->getByName(toUno(colour.name)),
                                                   UNO_QUERY_THROW);
        if (colour.part == Part::StyleText)
            style->setPropertyValue("CharColor", uno::Any(sal_Int32(colour.rgb)));
        else
            colourBorders(style, sal_Int32(colour.rgb));
    }
}

// The paragraphs of a paragraph style, in the main text and in text frames.
Reference<container::XIndexAccess> paragraphsOf(const Reference<text::XTextDocument>& document,
                                                const QString& style) {
    const Reference<util::XSearchable> searchable(document, UNO_QUERY_THROW);
    const Reference<util::XSearchDescriptor> search = searchable->createSearchDescriptor();
    search->setSearchString(toUno(style));
    Reference<beans::XPropertySet>(search, UNO_QUERY_THROW)
        ->setPropertyValue("SearchStyles", uno::Any(true));
    return searchable->findAll(search);
}

// Paragraphs keep the borders their style had when the template was
// written, as their own formatting: they take the style's colour too. Text
// frames lose their names in the Word format, so a frame is known by the
// style of a paragraph in it.
void colourParagraphs(const Reference<text::XTextDocument>& document, const ByName& borders,
                      const ByName& frames, std::set<QString>& foundFrames) {
    for (const auto& [style, rgb] : borders) {
        const Reference<container::XIndexAccess> paragraphs = paragraphsOf(document, style);
        for (sal_Int32 i = 0, count = paragraphs->getCount(); i < count; ++i)
            colourBorders(Reference<uno::XInterface>(paragraphs->getByIndex(i), UNO_QUERY_THROW),
                          rgb);
    }
    for (const auto& [style, rgb] : frames) {
        const Reference<container::XIndexAccess> paragraphs = paragraphsOf(document, style);
        for (sal_Int32 i = 0, count = paragraphs->getCount(); i < count; ++i) {
            const Reference<beans::XPropertySet> frame(
                Reference<beans::XPropertySet>(paragraphs->getByIndex(i), UNO_QUERY_THROW)
                    ->getPropertyValue("TextFrame"),
                UNO_QUERY);
            if (!frame.is())
                continue;
            frame->setPropertyValue("BackColor", uno::Any(rgb));
            foundFrames.insert(style);
        }
    }
}

// Shapes by their names: the template's names survive the Word format,
// where their colours would be the only other clue and change each run.
void colourShapes(const Reference<text::XTextDocument>& document, const ByName& wanted,
                  std::set<QString>& found) {
    const Reference<container::XIndexAccess> drawPage = drawPageOf(document);
    for (sal_Int32 i = 0, count = drawPage->getCount(); i < count; ++i) {
        // Text frames, also on the draw page, have a name but no "Name".
        const Reference<container::XNamed> shape(drawPage->getByIndex(i), UNO_QUERY);
        if (!shape.is())
            continue;
        const auto colour = wanted.find(fromUno(shape->getName()));
        if (colour == wanted.end())
            continue;
        Reference<beans::XPropertySet>(shape, UNO_QUERY_THROW)
            ->setPropertyValue("FillColor", uno::Any(colour->second));
        found.insert(colour->first);
    }
}

void noteMissing(const ByName& wanted, const std::set<QString>& found, const char* kind,
                 QStringList& missing) {
    for (const auto& [name, rgb] : wanted)
        if (!found.contains(name))
            missing << QStringLiteral("%1 \"%2\"").arg(QLatin1String(kind), name);
}

// What the colours asked for are, to tell them from those set before.
QByteArray fingerprint(const std::vector<DesignColour>& colours) {
    QByteArray bytes;
    for (const DesignColour& colour : colours)
        bytes += QByteArray::number(int(colour.part)) + ':' + colour.name.toUtf8() + ':' +
                 QByteArray::number(colour.rgb, 16) + ';';
    return bytes;
}

// The changes are no step of the office's undo: a kept template keeps the
// colours set last when a brochure's text is undone, so they are set only
// when they change, and never half undone.
class UndoPause {
public:
    explicit UndoPause(const Reference<text::XTextDocument>& document)
        : m_undo(Reference<document::XUndoManagerSupplier>(document, UNO_QUERY_THROW)
                     ->getUndoManager()) {
        m_undo->lock();
    }
    ~UndoPause() {
        try {
            m_undo->unlock();
        } catch (const uno::Exception&) {
            // An office gone meanwhile has no undo to come back to.
        }
    }
    UndoPause(const UndoPause&) = delete;
    UndoPause& operator=(const UndoPause&) = delete;

private:
    Reference<document::XUndoManager> m_undo;
};

} // namespace

void setDesignColours(DocumentState& state, const std::vector<DesignColour>& colours,
                      bool asDesigned) {
    // Most brochures are made in the colours the template was designed in,
    // and setting every part costs as much as the rest of a brochure's
    // changes: a document that holds them already is left as it is.
    const QByteArray wanted = asDesigned ? QByteArray() : fingerprint(colours);
    QByteArray unknown = "unknown";
    QByteArray& held = state.kept ? state.kept->designColours() : unknown;
    if (held == wanted || (!state.kept && asDesigned))
        return;
    const Reference<text::XTextDocument>& document = state.document;
    held = "changing";
    const UndoPause pause(document);
    QStringList missing;
    colourStyles(document, colours, missing);
    ByName shapes, frames, borders;
    for (const DesignColour& colour : colours) {
        if (colour.part == Part::ShapeFill)
            shapes[colour.name] = sal_Int32(colour.rgb);
        else if (colour.part == Part::FrameFill)
            frames[colour.name] = sal_Int32(colour.rgb);
        else if (colour.part == Part::StyleBorder)
            borders[colour.name] = sal_Int32(colour.rgb);
    }
    std::set<QString> foundShapes, foundFrames;
    colourShapes(document, shapes, foundShapes);
    colourParagraphs(document, borders, frames, foundFrames);
    noteMissing(shapes, foundShapes, "the shape", missing);
    noteMissing(frames, foundFrames, "a text frame with a paragraph in the style", missing);
    if (!missing.isEmpty())
        throw AutomationError(QStringLiteral("The document's design has no %1, so it keeps its "
                                             "colour")
                                  .arg(missing.join(QStringLiteral(", no "))));
    held = wanted;
}

} // namespace lw::word::office
