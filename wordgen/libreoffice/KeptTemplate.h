#pragma once

// A template kept loaded in the office between brochures. Loading the
// template is the largest part of filling it, and a brochure only changes
// text in it (and may place a logo), which the office can undo. So the
// template is loaded once per office, every change a brochure makes is
// undone before the next one, and each text is checked against the string
// it had when loaded before the document is handed out again.
//
// It also knows every text of the document. A token whose value holds no
// token is replaced with one call on the whole document instead of a few
// calls per occurrence per text. Each find answers from what replacing text
// by text, in the order asked, gives, and before anything else may see or
// change the document it is made to hold exactly that: when the calls were
// not the ones one whole-document replace stands for, its changes are
// undone and the calls made again text by text.

#include "wordgen/libreoffice/LiteralSearch.h"
#include "wordgen/libreoffice/TextCache.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/document/XUndoManager.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/util/XReplaceDescriptor.hpp>

#include <map>
#include <memory>
#include <vector>

namespace lw::word::office {

struct DocumentState;
struct KeptProperties;
enum class ReplaceMode;

class KeptTemplate {
public:
    // Loads a template from its bytes, of the kind its file's name says,
    // and learns its texts. Fails with the office's error; empty when it is
    // not a text document or of no kind the office knows by its name.
    static std::unique_ptr<KeptTemplate>
    load(const css::uno::Reference<css::frame::XDesktop2>& desktop, const QByteArray& bytes,
         const QString& fileName);
    ~KeptTemplate();
    KeptTemplate(const KeptTemplate&) = delete;
    KeptTemplate& operator=(const KeptTemplate&) = delete;

    // The digest of a template's bytes, to tell whether it is the one kept.
    static QByteArray digestOf(const QByteArray& bytes);
    const QByteArray& digest() const { return m_digest; }

    const css::uno::Reference<css::text::XTextDocument>& document() const { return m_document; }
    bool inUse() const { return m_inUse; }
    // Hands the document out as it was loaded, undoing what the brochure
    // before changed. False when it cannot be trusted to be as loaded
    // (a brochure that ended without saving, something changed after the
    // save, a text that did not come back); it must be let go then.
    bool handOut();
    // The holder closed it.
    void giveBack() { m_inUse = false; }

    const std::vector<css::uno::Reference<css::text::XText>>& storyTexts() const {
        return m_storyTexts;
    }
    // The draw page's objects in order, as long as shapesAsLoaded().
    const std::vector<css::uno::Reference<css::uno::XInterface>>& shapes() const {
        return m_shapes;
    }
    // Nothing but finds changed the document yet.
    bool shapesAsLoaded() const { return m_wholeReplaceAllowed; }

    // Find and replace in one text, as the object model's find does it (see
    // TextReplace.h), for the document handed out.
    bool findAndReplace(DocumentState& holder, const css::uno::Reference<css::text::XText>& text,
                        const SearchOptions& options, ReplaceMode mode, bool forward,
                        const QString& replacement);
    // The text's string as the finds so far have left it.
    QString text(const css::uno::Reference<css::text::XText>& text);
    // Makes the document hold exactly what the finds so far asked for;
    // called before anything else reads or changes it.
    void settle(DocumentState& holder);
    // The document was saved by the brochure.
    void saved();
    // It had no creation date when loaded: each brochure is created when
    // saved (a save stamps both dates, so neither needs to come back).
    bool loadedUndated() const;
    // Document properties were changed: they come back as loaded.
    void propertiesChanged() { m_propertiesChanged = true; }
    // The design's colours set in it (see DesignColours.h), empty while it
    // holds those it was loaded with: they stay from brochure to brochure.
    QByteArray& designColours() { return m_designColours; }

    // Closes the office document; it is kept no more.
    void close();

private:
    KeptTemplate() = default;
    void learn(const QStringList& tokens);
    bool bringBack();
    void undoBrochure();
    void beginChanges();
    void replaceEverywhere(const SearchOptions& options, const QString& replacement);

    struct Find {
        css::uno::Reference<css::text::XText> text;
        SearchOptions options;
        ReplaceMode mode;
        bool forward;
        QString replacement;
    };

    css::uno::Reference<css::text::XTextDocument> m_document;
    css::uno::Reference<css::document::XUndoManager> m_undo;
    css::uno::Reference<css::util::XReplaceDescriptor> m_search;
    css::uno::Reference<css::container::XIndexAccess> m_drawPage;
    QByteArray m_digest;
    std::vector<css::uno::Reference<css::text::XText>> m_storyTexts;
    std::vector<css::uno::Reference<css::uno::XInterface>> m_shapes;
    // Every text with a string: as loaded, as the finds have left it, and
    // as the document holds it now.
    std::vector<css::uno::Reference<css::text::XText>> m_texts;
    TextCache m_loaded, m_asked, m_held;
    // The finds that changed text since the brochure began.
    std::vector<Find> m_since;
    // The product's tokens, lower case; those the whole document can be
    // searched for in one call (each found there as often as in the known
    // texts); those replaced everywhere in this brochure, with their value.
    QStringList m_allTokens, m_tokens;
    std::map<QString, QString> m_replacedEverywhere;
    int m_drawPageCount = 0;
    std::unique_ptr<KeptProperties> m_properties;
    bool m_propertiesChanged = false;
    bool m_inUse = false;
    bool m_changed = false;   // the brochure changed the document
    bool m_saved = false;     // and saved it
    bool m_inContext = false; // its undo step is open
    // Until the document is first settled, finds may replace everywhere.
    bool m_wholeReplaceAllowed = true;
    // m_held is what the texts hold (else it is read back when needed).
    bool m_heldKnown = true;
    QByteArray m_designColours;
};

// For a template opened read-only: hands the state the office's kept
// template when it was loaded from the same bytes, loading and keeping it
// first when another or none is kept. False when the file is to be opened
// as any other (too large, a kept template in use, one that cannot be kept).
bool openKeptTemplate(DocumentState& state, const QString& fileName);

} // namespace lw::word::office
