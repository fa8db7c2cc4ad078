#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace lw {

// Runs a user-facing procedure as numbered steps under one trap. A step that
// fails is reported (description, location, line) and the procedure carries on:
//  - after a plain step, with the next step in order (so a failure inside a
//    loop body leads on to the rest of the body and then the loop's advance);
//  - after a failing loop header, with the first step of the loop body;
//  - after a failing loop advance, with the step after the loop;
//  - after a failing condition, with the then-branch, as if it had held.
// A failure inside a routine without a trap of its own counts as a failure of
// the calling step.
// Once a report has said the engine stopped, the steps that fail after it in
// the same user action (this procedure and the ones it calls) fail for that
// same reason: they are logged on stderr, not shown as further boxes.
class GuardedProcedure {
public:
    GuardedProcedure(const QString& object, const QString& procedure);
    ~GuardedProcedure();
    GuardedProcedure(const GuardedProcedure&) = delete;
    GuardedProcedure& operator=(const GuardedProcedure&) = delete;

    // One numbered step; several statements may share it. True when it succeeded.
    bool step(int line, const std::function<void()>& action);

    // The condition of a multi-line conditional; a failing test counts as true.
    bool condition(int line, const std::function<bool()>& test);

    // For i = first To last: the body's own steps are numbered inside it.
    void forCount(int headerLine, int first, int last, int advanceLine,
                  const std::function<void(int)>& body);

    // For Each over a collection. `start` positions on the first item and says
    // whether there is one; `advance` moves on and says whether there is
    // another. Either may throw: a failing start still runs the body once, a
    // failing advance leaves the loop.
    void forEach(int headerLine, const std::function<bool()>& start, int advanceLine,
                 const std::function<bool()>& advance, const std::function<void()>& body);

    // The lines reported so far, in order.
    const std::vector<int>& failedLines() const { return m_failedLines; }

private:
    void reportCurrentException(int line);

    QString m_location;
    std::vector<int> m_failedLines;
};

} // namespace lw
