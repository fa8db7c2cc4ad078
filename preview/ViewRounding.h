#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <limits>

namespace lw {

// Rounds to the nearest whole number, halves to the even neighbour
// (145.5 -> 146, 10.5 -> 10), as the view's integer conversions do.
inline long long roundHalfEven(double value) {
    return std::llround(std::nearbyint(value));
}

// A whole number as a 16-bit argument; values beyond its range are pinned to
// the nearest end, which every receiver treats as out of range anyway.
inline qint16 toInt16(long long value) {
    return qint16(std::clamp<long long>(value, std::numeric_limits<qint16>::min(),
                                        std::numeric_limits<qint16>::max()));
}

} // namespace lw
