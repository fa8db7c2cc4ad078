#include "wordgen/libreoffice/SessionState.h"

#include "wordgen/libreoffice/KeptTemplate.h"

#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <algorithm>

namespace lw::word::office {

void closeComponent(const css::uno::Reference<css::uno::XInterface>& component) {
    const css::uno::Reference<css::util::XCloseable> closeable(component, css::uno::UNO_QUERY);
    if (closeable.is())
        closeable->close(true);
    else
        css::uno::Reference<css::lang::XComponent>(component, css::uno::UNO_QUERY_THROW)->dispose();
}

void DocumentState::close() {
    if (closed)
        return;
    if (kept) {
        // Gone with its office, if that stopped.
        if (OfficeEngine::instance().isCurrent(generation))
            kept->giveBack();
        kept = nullptr;
        closed = true;
        document.clear();
        return;
    }
    call([this] {
        try {
            closeComponent(document);
        } catch (const css::util::CloseVetoException&) {
            // Ownership passed to the office, which closes it when it can.
        }
    });
    closed = true;
    document.clear();
}

void DocumentState::settle() {
    if (kept)
        call([this] { kept->settle(*this); });
}

void SessionState::forgetClosed() {
    std::erase_if(documents, [](const auto& document) { return document->closed; });
}

} // namespace lw::word::office
