#pragma once

// Runs one object-model call against the office: watched by the deadline,
// with the office's errors turned into AutomationError carrying its text.

#include "wordgen/WordObjects.h"
#include "wordgen/libreoffice/OfficeEngine.h"

#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/uno/Exception.hpp>

#include <cstdint>

namespace lw::word::office {

// Fails unless objects made on the given office generation are still usable.
inline void requireOffice(std::uint64_t generation) {
    if (!OfficeEngine::instance().isCurrent(generation))
        throw AutomationError(QStringLiteral(
            "The word-processing engine was stopped or restarted since this object was made"));
}

template <class Body> auto engineCall(std::uint64_t generation, Body&& body) -> decltype(body()) {
    requireOffice(generation);
    auto& engine = OfficeEngine::instance();
    CallWatchdog::Scope scope(engine.watchdog(), CallWatchdog::callLimit());
    try {
        return body();
    } catch (const css::lang::DisposedException& error) {
        throw AutomationError(engine.describe(error, scope.expired(), true));
    } catch (const css::uno::Exception& error) {
        throw AutomationError(engine.describe(error, scope.expired(), false));
    }
}

} // namespace lw::word::office
