#include "wordgen/libreoffice/KeptTemplate.h"

#include "brochure/BrochureProduct.h"
#include "wordgen/libreoffice/DrawPage.h"
#include "wordgen/libreoffice/MemoryStream.h"
#include "wordgen/libreoffice/OfficeEngine.h"
#include "wordgen/libreoffice/PhaseReport.h"
#include "wordgen/libreoffice/SessionState.h"
#include "wordgen/libreoffice/StoryTexts.h"
#include "wordgen/libreoffice/TextReplace.h"
#include "wordgen/libreoffice/UnoConvert.h"

#include <QCryptographicHash>
#include <QFile>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/EmptyUndoStackException.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/document/XTypeDetection.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/util/XReplaceable.hpp>

#include <algorithm>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace lw::word::office {
namespace {

Reference<document::XDocumentProperties>
documentProperties(const Reference<text::XTextDocument>& document) {
    return Reference<document::XDocumentPropertiesSupplier>(document, UNO_QUERY_THROW)
        ->getDocumentProperties();
}

// Every token of the product, the ones a value must not hold for its
// field to be replaced everywhere at once.
QStringList productTokens() {
    QStringList tokens;
    for (const BrochureField& field : kPlaceholderTable)
        tokens << QString::fromLatin1(field.token).toLower();
    return tokens;
}

bool holdsAny(const QString& value, const QStringList& tokens) {
    return std::any_of(tokens.begin(), tokens.end(), [&](const QString& token) {
        return value.contains(token, Qt::CaseInsensitive);
    });
}

// A brochure template is some tens of kilobytes; a larger file is opened
// as any other.
constexpr qint64 kMostKeptBytes = 16 << 20;

} // namespace

// The document properties as loaded, put back after a brochure changed them.
struct KeptProperties {
    OUString title, subject, author;
    util::DateTime created, modified;
};

KeptTemplate::~KeptTemplate() = default;

QByteArray KeptTemplate::digestOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

std::unique_ptr<KeptTemplate> KeptTemplate::load(const Reference<frame::XDesktop2>& desktop,
                                                 const QByteArray& bytes, const QString& fileName) {
    const Reference<uno::XComponentContext> context = OfficeEngine::instance().context();
    // Finding the kind of a stream by its content takes the office far
    // longer than loading it; the file's name tells it at once.
    const Reference<document::XTypeDetection> detection(
        context->getServiceManager()->createInstanceWithContext(
            "com.sun.star.document.TypeDetection", context),
        UNO_QUERY_THROW);
    const OUString type = detection->queryTypeByURL(fileUrl(fileName));
    OUString filter;
    uno::Sequence<beans::PropertyValue> typeProperties;
    if (!type.isEmpty() &&
        (Reference<container::XNameAccess>(detection, UNO_QUERY_THROW)->getByName(type) >>=
         typeProperties))
        for (const beans::PropertyValue& value : typeProperties)
            if (value.Name == "PreferredFilter")
                value.Value >>= filter;
    if (filter.isEmpty())
        return nullptr;
    const Reference<io::XSeekableInputStream> stream = streamOfBytes(context, bytes);
    // Editable, so the office tells whether it changed after a save; from
    // the bytes, so it depends on no file.
    const Reference<lang::XComponent> component = desktop->loadComponentFromURL(
        "private:stream", "_blank", 0,
        properties(
            {property("InputStream", uno::Any(stream)), property("FilterName", uno::Any(filter)),
             property("Hidden", uno::Any(true)), property("ReadOnly", uno::Any(false)),
             property("AsTemplate", uno::Any(false)),
             property("MacroExecutionMode", uno::Any(document::MacroExecMode::NEVER_EXECUTE)),
             property("UpdateDocMode", uno::Any(document::UpdateDocMode::NO_UPDATE))}));
    const Reference<text::XTextDocument> document(component, UNO_QUERY);
    if (!document.is()) {
        if (component.is())
            component->dispose();
        return nullptr;
    }
    std::unique_ptr<KeptTemplate> kept(new KeptTemplate);
    kept->m_document = document;
    kept->m_digest = digestOf(bytes);
    try {
        Reference<frame::XModel>(document, UNO_QUERY_THROW)->lockControllers();
        kept->learn(productTokens());
    } catch (...) {
        closeComponent(document);
        throw;
    }
    return kept;
}

void KeptTemplate::learn(const QStringList& tokens) {
    m_undo =
        Reference<document::XUndoManagerSupplier>(m_document, UNO_QUERY_THROW)->getUndoManager();
    m_search =
        Reference<util::XReplaceable>(m_document, UNO_QUERY_THROW)->createReplaceDescriptor();
    const Reference<beans::XPropertySet> settings(m_search, UNO_QUERY_THROW);
    settings->setPropertyValue("SearchCaseSensitive", uno::Any(false));
    settings->setPropertyValue("SearchWords", uno::Any(false));
    settings->setPropertyValue("SearchRegularExpression", uno::Any(false));
    settings->setPropertyValue("SearchSimilarity", uno::Any(false));

    const auto addText = [this](const Reference<text::XText>& text) {
        if (!text.is() || m_loaded.contains(text))
            return;
        m_texts.push_back(text);
        (void)m_loaded.text(text);
    };
    m_storyTexts = office::storyTexts(m_document);
    for (const auto& text : m_storyTexts)
        addText(text);
    m_drawPage = drawPageOf(m_document);
    m_drawPageCount = m_drawPage->getCount();
    for (sal_Int32 index = 0; index < m_drawPageCount; ++index) {
        Reference<uno::XInterface> shape(m_drawPage->getByIndex(index), UNO_QUERY_THROW);
        addText(Reference<text::XText>(shape, UNO_QUERY));
        m_shapes.push_back(std::move(shape));
    }
    m_asked = m_held = m_loaded;

    auto kept = std::make_unique<KeptProperties>();
    const auto properties = documentProperties(m_document);
    kept->title = properties->getTitle();
    kept->subject = properties->getSubject();
    kept->author = properties->getAuthor();
    kept->created = properties->getCreationDate();
    kept->modified = properties->getModificationDate();
    m_properties = std::move(kept);

    // A token is replaced everywhere at once only where the office finds
    // it exactly as often as in the texts known here: the whole-document
    // replace must reach those texts and no other.
    m_allTokens = tokens;
    const Reference<util::XSearchable> searchable(m_document, UNO_QUERY_THROW);
    for (const QString& token : tokens) {
        int known = 0;
        for (const auto& text : m_texts)
            known += int(findLiteral(m_loaded.text(text), {token, false, false}).size());
        m_search->setSearchString(toUno(token));
        const Reference<container::XIndexAccess> found =
            searchable->findAll(Reference<util::XSearchDescriptor>(m_search.get()));
        if (found.is() && found->getCount() == known)
            m_tokens << token;
    }
}

bool KeptTemplate::handOut() {
    if (m_changed) {
        if (!m_saved || Reference<util::XModifiable>(m_document, UNO_QUERY_THROW)->isModified() ||
            !bringBack())
            return false;
    }
    m_asked = m_held = m_loaded;
    m_since.clear();
    m_replacedEverywhere.clear();
    m_wholeReplaceAllowed = true;
    m_heldKnown = true;
    m_changed = m_saved = m_inContext = false;
    m_inUse = true;
    return true;
}

bool KeptTemplate::bringBack() {
    if (m_inContext)
        m_undo->leaveUndoContext();
    m_inContext = false;
    undoBrochure();
    if (m_drawPage->getCount() != m_drawPageCount)
        return false;
    for (const auto& text : m_texts) {
        const QString loaded = m_loaded.text(text);
        if (m_heldKnown && m_held.text(text) == loaded)
            continue; // never changed
        if (fromUno(text->getString()) != loaded)
            return false;
    }
    if (m_propertiesChanged) {
        const auto properties = documentProperties(m_document);
        properties->setTitle(m_properties->title);
        properties->setSubject(m_properties->subject);
        properties->setAuthor(m_properties->author);
        properties->setCreationDate(m_properties->created);
        properties->setModificationDate(m_properties->modified);
        m_propertiesChanged = false;
    }
    return true;
}

void KeptTemplate::undoBrochure() {
    // Its changes are one step; the step undone stays to be redone until
    // the next brochure's first change drops it.
    try {
        m_undo->undo();
    } catch (const document::EmptyUndoStackException&) {
        // It changed nothing the office keeps a step for.
    }
}

void KeptTemplate::beginChanges() {
    if (!m_inContext) {
        // One undo step for the whole brochure, however many changes.
        m_undo->enterUndoContext("Leafwright");
        m_inContext = true;
    }
    m_changed = true;
}

QString KeptTemplate::text(const Reference<text::XText>& text) {
    return m_asked.text(text);
}

bool KeptTemplate::findAndReplace(DocumentState& holder, const Reference<text::XText>& text,
                                  const SearchOptions& options, ReplaceMode mode, bool forward,
                                  const QString& replacement) {
    const QString token = options.text.toLower();
    const bool wholeReplace = m_wholeReplaceAllowed && m_loaded.contains(text) &&
                              mode == ReplaceMode::All && !options.matchCase &&
                              !options.wholeWord && m_tokens.contains(token) &&
                              !hasLineBreaks(replacement) && !holdsAny(replacement, m_allTokens);
    if (!wholeReplace && mode != ReplaceMode::None && m_wholeReplaceAllowed) {
        // Anything else is done text by text on a document that holds
        // exactly what was asked so far.
        settle(holder);
    }
    if (!m_wholeReplaceAllowed) {
        if (mode != ReplaceMode::None)
            beginChanges();
        const bool found = replaceInText(holder, m_held, text, options, mode, forward, replacement);
        m_asked.store(text, m_held.text(text));
        return found;
    }

    // What replacing in this text alone gives.
    const QString asked = m_asked.text(text);
    QList<qsizetype> positions = findLiteral(asked, options);
    if (positions.isEmpty() || mode == ReplaceMode::None)
        return !positions.isEmpty();
    m_asked.store(text, replacedAt(asked, positions, options.text.size(), replacement));
    m_since.push_back({text, options, mode, forward, replacement});
    // The same token with the same value everywhere is one call; the
    // strings asked for show whether the calls kept to that.
    if (!m_replacedEverywhere.contains(token)) {
        m_replacedEverywhere[token] = replacement;
        replaceEverywhere(options, replacement);
    }
    return true;
}

void KeptTemplate::replaceEverywhere(const SearchOptions& options, const QString& replacement) {
    beginChanges();
    m_search->setSearchString(toUno(options.text));
    m_search->setReplaceString(toUno(replacement));
    const sal_Int32 replaced = Reference<util::XReplaceable>(m_document, UNO_QUERY_THROW)
                                   ->replaceAll(Reference<util::XSearchDescriptor>(m_search.get()));
    qsizetype expected = 0;
    for (const auto& text : m_texts) {
        const QString held = m_held.text(text);
        const QList<qsizetype> positions = findLiteral(held, options);
        expected += positions.size();
        if (!positions.isEmpty())
            m_held.store(text, replacedAt(held, positions, options.text.size(), replacement));
    }
    // The office matched otherwise than we do (case rules of other
    // scripts): what the texts hold is read back when it matters.
    if (replaced != expected)
        m_heldKnown = false;
}

void KeptTemplate::settle(DocumentState& holder) {
    if (!m_wholeReplaceAllowed)
        return;
    m_wholeReplaceAllowed = false;
    bool same = true;
    for (const auto& text : m_texts) {
        if (!m_heldKnown)
            m_held.store(text, fromUno(text->getString()));
        same = same && m_held.text(text) == m_asked.text(text);
    }
    m_heldKnown = true;
    if (same)
        return;
    // Undo the brochure's changes and make them again text by text: only
    // finds were made so far, so that is all there is to make again.
    if (m_inContext) {
        m_undo->leaveUndoContext();
        m_inContext = false;
        undoBrochure();
    }
    m_asked = m_held = m_loaded;
    for (const Find& find : std::exchange(m_since, {})) {
        beginChanges();
        replaceInText(holder, m_held, find.text, find.options, find.mode, find.forward,
                      find.replacement);
        m_asked.store(find.text, m_held.text(find.text));
    }
}

void KeptTemplate::close() {
    try {
        closeComponent(m_document);
    } catch (const uno::Exception&) {
        // Ownership passed to the office, which closes it when it can.
    }
    m_document.clear();
}

void KeptTemplate::saved() {
    if (m_inContext) {
        m_undo->leaveUndoContext();
        m_inContext = false;
    }
    Reference<util::XModifiable>(m_document, UNO_QUERY_THROW)->setModified(false);
    m_saved = true;
    // A dated template's creation date stays; its modification date, and
    // an undated one's both, are the brochure's.
    if (!loadedUndated())
        m_propertiesChanged = true;
}

bool KeptTemplate::loadedUndated() const {
    return m_properties->created.Year == 0;
}

bool openKeptTemplate(DocumentState& state, const QString& fileName) {
    QFile file(fileName);
    if (file.size() > kMostKeptBytes || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(kMostKeptBytes + 1);
    if (bytes.isEmpty() || bytes.size() > kMostKeptBytes)
        return false;
    return state.call([&] {
        auto& engine = OfficeEngine::instance();
        std::unique_ptr<KeptTemplate>& kept = engine.keptTemplate();
        if (kept && kept->inUse())
            return false;
        if (kept && kept->digest() == KeptTemplate::digestOf(bytes) && kept->handOut()) {
            reportPhase("open: kept template");
        } else if (kept) {
            kept->close();
            kept.reset();
        }
        if (!kept) {
            try {
                kept = KeptTemplate::load(engine.desktop(), bytes, fileName);
            } catch (const lang::DisposedException&) {
                throw;
            } catch (const uno::Exception&) {
                // The file opened as any other tells what is wrong with it.
                return false;
            }
            if (!kept || !kept->handOut()) {
                kept.reset();
                return false;
            }
            reportPhase("open: template loaded and kept");
        }
        state.document = kept->document();
        state.kept = kept.get();
        return true;
    });
}

} // namespace lw::word::office
