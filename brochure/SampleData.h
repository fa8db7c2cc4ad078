#pragma once

#include "brochure/PlaceholderTable.h"

#include <array>

namespace lw {

// One step of the clear and sample commands: its line, the field it sets and
// the example value. The steps run in screen order.
struct SampleValue {
    int line;
    int index;
    const char* value;
};

inline constexpr std::array<SampleValue, kFieldCount> kSampleDataSet{{
    {100, 0, "Tessaly"},
    {102, 7, "Little Tool Shed"},
    {104, 6, "417 Birchwoods Rd"},
    {106, 2, "Apt 7"},
    {108, 1, "Marshbrooke"},
    {110, 8, "VT"},
    {112, 9, "05412"},
    {114, 3, "802-555-0147"},
    {116, 4, "802-555-0182"},
    {118, 5, "support@tessaly.com"},
}};

} // namespace lw
