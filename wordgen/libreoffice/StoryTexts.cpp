#include "wordgen/libreoffice/StoryTexts.h"

#include "wordgen/libreoffice/UnoConvert.h"

#include <QString>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/style/XStyle.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XTextFramesSupplier.hpp>

#include <algorithm>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace lw::word::office {

namespace {

void addText(std::vector<Reference<text::XText>>& texts, const uno::Any& value) {
    Reference<text::XText> text(value, UNO_QUERY);
    if (!text.is())
        return;
    // The same text may serve several page styles or both pages of a spread.
    const Reference<uno::XInterface> identity(text, UNO_QUERY);
    if (std::none_of(texts.begin(), texts.end(), [&](const auto& known) {
            return Reference<uno::XInterface>(known, UNO_QUERY) == identity;
        }))
        texts.push_back(text);
}

bool flag(const Reference<beans::XPropertySet>& style, const char* name, bool fallback) {
    try {
        return style->getPropertyValue(OUString::createFromAscii(name)).get<bool>();
    } catch (const uno::Exception&) {
        return fallback; // a property this office version does not know
    }
}

// One of header or footer ("Header"/"Footer") of a page style: the text of
// right pages, of left pages and of the first page when they differ.
void addPageTexts(std::vector<Reference<text::XText>>& texts,
                  const Reference<beans::XPropertySet>& style, const QString& part) {
    const auto name = [&](const char* suffix) {
        return (part + QLatin1String(suffix)).toStdString();
    };
    if (!flag(style, name("IsOn").c_str(), false))
        return;
    addText(texts, style->getPropertyValue(OUString::createFromAscii(name("Text").c_str())));
    if (!flag(style, name("IsShared").c_str(), true))
        addText(texts,
                style->getPropertyValue(OUString::createFromAscii(name("TextLeft").c_str())));
    if (!flag(style, "FirstIsShared", true))
        addText(texts,
                style->getPropertyValue(OUString::createFromAscii(name("TextFirst").c_str())));
}

} // namespace

std::vector<Reference<text::XText>> storyTexts(const Reference<text::XTextDocument>& document) {
    std::vector<Reference<text::XText>> texts{document->getText()};

    const Reference<container::XIndexAccess> frames(
        Reference<text::XTextFramesSupplier>(document, UNO_QUERY_THROW)->getTextFrames(),
        UNO_QUERY_THROW);
    if (frames->getCount() > 0)
        addText(texts, frames->getByIndex(0));

    const Reference<container::XIndexAccess> pageStyles(
        Reference<style::XStyleFamiliesSupplier>(document, UNO_QUERY_THROW)
            ->getStyleFamilies()
            ->getByName("PageStyles"),
        UNO_QUERY_THROW);
    std::vector<Reference<beans::XPropertySet>> inUse;
    for (sal_Int32 index = 0, count = pageStyles->getCount(); index < count; ++index) {
        const Reference<style::XStyle> style(pageStyles->getByIndex(index), UNO_QUERY);
        if (style.is() && style->isInUse())
            inUse.emplace_back(style, UNO_QUERY);
    }
    for (const QString& part : {QStringLiteral("Header"), QStringLiteral("Footer")})
        for (const auto& style : inUse)
            if (style.is())
                addPageTexts(texts, style, part);
    return texts;
}

} // namespace lw::word::office
