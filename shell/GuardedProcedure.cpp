#include "shell/GuardedProcedure.h"

#include "shell/ErrorReport.h"
#include "shell/Failure.h"
#include "shell/ProgramEnd.h"

#include <QDebug>

namespace lw {
namespace {

// Procedures running now, outermost first, and whether the user action they
// belong to has already told of a stopped engine.
int openProcedures = 0;
bool engineStopTold = false;

} // namespace

GuardedProcedure::GuardedProcedure(const QString& object, const QString& procedure)
    : m_location(locationString(object, procedure)) {
    if (openProcedures++ == 0)
        engineStopTold = false;
}

GuardedProcedure::~GuardedProcedure() {
    --openProcedures;
}

void GuardedProcedure::reportCurrentException(int line) {
    const QString description = describeCurrentException();
    m_failedLines.push_back(line);
    if (engineStopTold) {
        qWarning().noquote() << "Also failed after the engine stopped:" << description << m_location
                             << "at line" << line;
        return;
    }
    if (tellsOfStoppedEngine(description))
        engineStopTold = true;
    showErrorReport(description, m_location, line);
}

bool GuardedProcedure::step(int line, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const ProgramEnded&) {
        throw;
    } catch (...) {
        reportCurrentException(line);
        return false;
    }
}

bool GuardedProcedure::condition(int line, const std::function<bool()>& test) {
    bool holds = true; // a failing test counts as true
    step(line, [&] { holds = test(); });
    return holds;
}

void GuardedProcedure::forCount(int /*headerLine*/, int first, int last, int /*advanceLine*/,
                                const std::function<void(int)>& body) {
    // Constant bounds and an integer counter: neither the header nor the
    // advance of a counted loop can fail.
    for (int i = first; i <= last; ++i)
        body(i);
}

void GuardedProcedure::forEach(int headerLine, const std::function<bool()>& start, int advanceLine,
                               const std::function<bool()>& advance,
                               const std::function<void()>& body) {
    bool more = true; // a failing header still enters the body once
    step(headerLine, [&] { more = start(); });
    while (more) {
        body();
        if (!step(advanceLine, [&] { more = advance(); }))
            more = false;
    }
}

} // namespace lw
