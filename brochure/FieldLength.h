#pragma once

#include <QString>

namespace lw {

// Longer than any brochure field could hold, far beyond the lists' limits: a
// value this long comes from a damaged or planted settings file, not from
// typing, and is never handed to the engine.
inline constexpr qsizetype kLongestFieldText = 10000;

// A field's caption without its colon, to name the field in messages.
QString fieldName(int index);

// Why a run cannot use a field's text of this length, naming the field by
// its caption; empty when the length is fine.
QString overlongFieldProblem(int index, qsizetype length);

} // namespace lw
