#include "wordgen/libreoffice/SessionState.h"

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

void SessionState::forgetClosed() {
    std::erase_if(documents, [](const auto& document) { return document->closed; });
}

} // namespace lw::word::office
