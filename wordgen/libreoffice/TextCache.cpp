#include "wordgen/libreoffice/TextCache.h"

#include "wordgen/libreoffice/UnoConvert.h"

namespace lw::word::office {

TextCache::Key TextCache::keyOf(const css::uno::Reference<css::text::XText>& text) {
    // The identity of a UNO object is its XInterface.
    return Key(text, css::uno::UNO_QUERY);
}

QString TextCache::text(const css::uno::Reference<css::text::XText>& text) {
    const Key key = keyOf(text);
    const auto found = m_texts.find(key.get());
    if (found != m_texts.end())
        return found->second.second;
    const QString value = fromUno(text->getString());
    m_texts[key.get()] = {key, value};
    return value;
}

void TextCache::store(const css::uno::Reference<css::text::XText>& text, const QString& value) {
    const Key key = keyOf(text);
    m_texts[key.get()] = {key, value};
}

void TextCache::forget(const css::uno::Reference<css::text::XText>& text) {
    m_texts.erase(keyOf(text).get());
}

bool TextCache::contains(const css::uno::Reference<css::text::XText>& text) const {
    return m_texts.contains(keyOf(text).get());
}

} // namespace lw::word::office
