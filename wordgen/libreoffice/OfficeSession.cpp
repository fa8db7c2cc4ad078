#include "wordgen/libreoffice/OfficeSession.h"

#include "wordgen/libreoffice/KeptTemplate.h"
#include "wordgen/libreoffice/OfficeDocument.h"
#include "wordgen/libreoffice/UnoConvert.h"

#include <QFileInfo>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XModel.hpp>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;

namespace lw::word::office {

namespace {

class OfficeDocuments : public WordDocuments {
public:
    explicit OfficeDocuments(std::shared_ptr<SessionState> session)
        : m_session(std::move(session)) {}

    Ref<WordDocument> Open(const QString& fileName, std::optional<bool> readOnly) override {
        m_session->requireActive();
        const QFileInfo file(fileName);
        if (!file.isFile())
            throw AutomationError(
                QStringLiteral("The file \"%1\" could not be found").arg(fileName));
        auto state = std::make_shared<DocumentState>();
        state->generation = m_session->generation;
        // A template opened to be filled: the one kept in the office, when
        // it is the same, saves loading it again.
        if (readOnly.value_or(false) &&
            file.suffix().compare(QLatin1String("dot"), Qt::CaseInsensitive) == 0 &&
            openKeptTemplate(*state, fileName)) {
            m_session->documents.push_back(state);
            return std::make_shared<OfficeDocument>(m_session, state);
        }
        state->document = engineCall(m_session->generation, [&] {
            // No view: the page picture comes from the document's PDF, and
            // a view would lay out and redraw the page for every change.
            const auto arguments = properties(
                {property("Hidden", uno::Any(true)),
                 property("ReadOnly", uno::Any(readOnly.value_or(false))),
                 property("AsTemplate", uno::Any(false)),
                 property("MacroExecutionMode", uno::Any(document::MacroExecMode::NEVER_EXECUTE)),
                 property("UpdateDocMode", uno::Any(document::UpdateDocMode::NO_UPDATE))});
            const Reference<lang::XComponent> component =
                OfficeEngine::instance().desktop()->loadComponentFromURL(
                    fileUrl(file.absoluteFilePath()), "_blank", 0, arguments);
            Reference<text::XTextDocument> document(component, UNO_QUERY);
            if (component.is() && !document.is())
                component->dispose();
            // Nothing on screen follows the document: edits need not update
            // a view, which halves the cost of each replacement.
            if (document.is())
                Reference<frame::XModel>(document, uno::UNO_QUERY_THROW)->lockControllers();
            return document;
        });
        if (!state->document.is())
            throw AutomationError(
                QStringLiteral("The file \"%1\" could not be opened as a text document")
                    .arg(fileName));
        m_session->documents.push_back(state);
        return std::make_shared<OfficeDocument>(m_session, state);
    }

private:
    std::shared_ptr<SessionState> m_session;
};

} // namespace

OfficeSession::OfficeSession() : m_state(std::make_shared<SessionState>()) {
    auto& engine = OfficeEngine::instance();
    engine.ensureRunning();
    m_state->generation = engine.generation();
    engine.sessionOpened();
}

OfficeSession::~OfficeSession() {
    closeDocuments();
    end();
}

Ref<WordDocuments> OfficeSession::Documents() {
    m_state->requireActive();
    return std::make_shared<OfficeDocuments>(m_state);
}

void OfficeSession::setDisplayAlerts(bool value) {
    m_state->requireActive();
    m_state->displayAlerts = value; // there is no user interface to alert in
}

Ref<WordDocument> OfficeSession::ActiveDocument() {
    m_state->requireActive();
    m_state->forgetClosed();
    if (m_state->documents.empty())
        throw AutomationError(
            QStringLiteral("This command is not available because no document is open"));
    return std::make_shared<OfficeDocument>(m_state, m_state->documents.back());
}

void OfficeSession::quit() {
    m_state->requireActive();
    closeDocuments();
    end();
}

void OfficeSession::end() noexcept {
    if (m_state->ended)
        return;
    m_state->ended = true;
    OfficeEngine::instance().sessionClosed();
}

void OfficeSession::closeDocuments() noexcept {
    for (const auto& document : m_state->documents) {
        if (!OfficeEngine::instance().isCurrent(document->generation))
            break; // the office they lived in is gone, and they with it
        try {
            document->close();
        } catch (const std::exception&) {
            // Closing what is left is all that can be done here.
        }
    }
    m_state->documents.clear();
}

} // namespace lw::word::office
