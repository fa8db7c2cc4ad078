#include "wordgen/libreoffice/TextReplace.h"

#include "wordgen/libreoffice/KeptTemplate.h"
#include "wordgen/libreoffice/UnoConvert.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <com/sun/star/util/XReplaceable.hpp>

#include <algorithm>
#include <limits>
#include <vector>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace lw::word::office {

namespace {

bool moveRight(const Reference<text::XTextCursor>& cursor, qsizetype count, bool expand) {
    constexpr qsizetype step = std::numeric_limits<sal_Int16>::max();
    while (count > 0) {
        const auto now = sal_Int16(std::min(count, step));
        if (!cursor->goRight(now, expand))
            return false;
        count -= now;
    }
    return true;
}

// Replaces at positions of our copy of the text's string: a few round trips
// per occurrence. Each spot is checked before anything changes, because a
// field or an anchored object can make the office count characters
// differently from its string; false then, and nothing was changed.
bool replaceAtPositions(const Reference<text::XText>& text, const QList<qsizetype>& positions,
                        const SearchOptions& options, const OUString& replacement) {
    std::vector<Reference<text::XTextCursor>> cursors;
    for (const qsizetype at : positions) {
        Reference<text::XTextCursor> cursor = text->createTextCursor();
        cursor->gotoStart(false);
        if (!moveRight(cursor, at, false) || !moveRight(cursor, options.text.size(), true) ||
            !isMatch(fromUno(cursor->getString()), options))
            return false;
        cursors.push_back(cursor);
    }
    // Right to left: the spots still to do keep their places.
    for (auto cursor = cursors.rbegin(); cursor != cursors.rend(); ++cursor)
        (*cursor)->setString(replacement);
    return true;
}

// The office's own search over the whole document, keeping the hits inside
// this text: slower, but it counts as the office does.
bool replaceBySearch(DocumentState& document, const Reference<text::XText>& text,
                     const SearchOptions& options, ReplaceMode mode, bool forward,
                     const OUString& replacement) {
    const Reference<util::XReplaceable> searchable(document.document, UNO_QUERY);
    const Reference<text::XTextRangeCompare> compare(text, UNO_QUERY);
    if (!searchable.is() || !compare.is())
        return false;
    const Reference<util::XSearchDescriptor> descriptor = searchable->createSearchDescriptor();
    descriptor->setSearchString(toUno(options.text));
    const Reference<beans::XPropertySet> settings(descriptor, UNO_QUERY_THROW);
    settings->setPropertyValue("SearchCaseSensitive", uno::Any(options.matchCase));
    settings->setPropertyValue("SearchWords", uno::Any(options.wholeWord));
    settings->setPropertyValue("SearchRegularExpression", uno::Any(false));
    settings->setPropertyValue("SearchSimilarity", uno::Any(false));
    const Reference<container::XIndexAccess> found = searchable->findAll(descriptor);
    std::vector<Reference<text::XTextRange>> hits;
    for (sal_Int32 index = 0, count = found.is() ? found->getCount() : 0; index < count; ++index) {
        Reference<text::XTextRange> hit(found->getByIndex(index), UNO_QUERY);
        try {
            compare->compareRegionStarts(hit, hit); // fails for a range of another text
            hits.push_back(hit);
        } catch (const lang::IllegalArgumentException&) {
        }
    }
    if (hits.empty())
        return false;
    if (mode == ReplaceMode::One)
        hits = {forward ? hits.front() : hits.back()};
    if (mode != ReplaceMode::None)
        for (const auto& hit : hits)
            hit->setString(replacement);
    return true;
}

} // namespace

bool hasLineBreaks(const QString& value) {
    return std::any_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 0x20; });
}

bool findAndReplace(DocumentState& document, const Reference<text::XText>& text,
                    const SearchOptions& options, ReplaceMode mode, bool forward,
                    const QString& replacement) {
    if (document.kept)
        return document.kept->findAndReplace(document, text, options, mode, forward, replacement);
    return replaceInText(document, document.texts, text, options, mode, forward, replacement);
}

bool replaceInText(DocumentState& document, TextCache& strings, const Reference<text::XText>& text,
                   const SearchOptions& options, ReplaceMode mode, bool forward,
                   const QString& replacement) {
    const OUString unoReplacement = toUno(replacement);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const QString current = strings.text(text);
        QList<qsizetype> positions = findLiteral(current, options);
        if (positions.isEmpty())
            return false;
        if (mode == ReplaceMode::None)
            return true;
        if (mode == ReplaceMode::One)
            positions = {forward ? positions.front() : positions.back()};
        if (replaceAtPositions(text, positions, options, unoReplacement)) {
            // Control characters may become paragraph breaks in the office.
            if (hasLineBreaks(replacement))
                strings.forget(text);
            else
                strings.store(text,
                              replacedAt(current, positions, options.text.size(), replacement));
            return true;
        }
        // Our copy may be stale: fetch it again once.
        strings.forget(text);
    }
    return replaceBySearch(document, text, options, mode, forward, unoReplacement);
}

} // namespace lw::word::office
