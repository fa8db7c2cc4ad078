#pragma once

// The last known string of each text of a document. Fetching a text's string
// is a round trip to the office; the replacement code keeps this up to date
// with its own edits, so a text is fetched once per document, not once per
// search.

#include <QString>
#include <com/sun/star/text/XText.hpp>

#include <map>

namespace lw::word::office {

class TextCache {
public:
    QString text(const css::uno::Reference<css::text::XText>& text);
    void store(const css::uno::Reference<css::text::XText>& text, const QString& value);
    void forget(const css::uno::Reference<css::text::XText>& text);
    // True when the text's string is known, without fetching it.
    bool contains(const css::uno::Reference<css::text::XText>& text) const;

private:
    using Key = css::uno::Reference<css::uno::XInterface>;
    static Key keyOf(const css::uno::Reference<css::text::XText>& text);
    std::map<css::uno::XInterface*, std::pair<Key, QString>> m_texts;
};

} // namespace lw::word::office
