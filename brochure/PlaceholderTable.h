#pragma once

#include <QString>
#include <array>

namespace lw {

// One brochure field: its index in the field array (also its settings key
// suffix and its place in the replacement order), its caption and its token.
struct BrochureField {
    int index;
    const char* caption;
    const char* token;
};

inline constexpr int kFieldCount = 10;

// The fields in index order, the order in which the template is filled.
inline constexpr std::array<BrochureField, kFieldCount> kPlaceholderTable{{
    {0, "Company Name:", "[CompanyName]"},
    {1, "City:", "[City]"},
    {2, "Address Line 2:", "[Address2]"},
    {3, "Phone No.:", "[PhoneNo]"},
    {4, "Fax No.:", "[FaxNo]"},
    {5, "Email Address:", "[EmailAddress]"},
    {6, "Address Line 1:", "[StreetAddress]"},
    {7, "Tag Line:", "[TagLine]"},
    {8, "State:", "[ST]"},
    {9, "Zip Code:", "[ZIPCode]"},
}};

// Field indices top to bottom, left to right: also the tab order.
inline constexpr std::array<int, kFieldCount> kScreenOrder{0, 7, 6, 2, 1, 8, 9, 3, 4, 5};

// The settings key of a field: "Text1_" and its index.
QString FieldKey(int index);

} // namespace lw
