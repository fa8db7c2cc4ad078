#pragma once

// What a session and its documents share: which office they live on, which
// documents are open, and whether the session or a document has ended.

#include "wordgen/libreoffice/EngineCall.h"
#include "wordgen/libreoffice/TextCache.h"

#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

#include <memory>
#include <vector>

namespace lw::word::office {

// Closes an office document (or disposes a component that cannot be closed).
// A veto passes to the caller.
void closeComponent(const css::uno::Reference<css::uno::XInterface>& component);

class KeptTemplate;

struct DocumentState {
    std::uint64_t generation = 0;
    css::uno::Reference<css::text::XTextDocument> document;
    TextCache texts;
    // The office's kept template, when this is it (see KeptTemplate): it
    // stays loaded when closed here.
    KeptTemplate* kept = nullptr;
    bool closed = false;

    // A call on this document, failing once it was closed.
    template <class Body> auto call(Body&& body) -> decltype(body()) {
        if (closed)
            throw AutomationError(QStringLiteral("The document has been closed"));
        return engineCall(generation, std::forward<Body>(body));
    }
    // Closes the office document without saving; safe to call twice.
    void close();
    // Before anything but a find reads or changes the document.
    void settle();
};

struct SessionState {
    std::uint64_t generation = 0;
    bool ended = false;
    bool displayAlerts = true;
    // The documents still open, in the order opened; the last is active.
    std::vector<std::shared_ptr<DocumentState>> documents;

    void requireActive() const {
        if (ended)
            throw AutomationError(QStringLiteral("The word-processing session has ended"));
        requireOffice(generation);
    }
    void forgetClosed();
};

} // namespace lw::word::office
