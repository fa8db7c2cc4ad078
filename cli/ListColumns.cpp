#include "cli/ListColumns.h"

#include "brochure/BrochureProduct.h"
#include "brochure/NameKey.h"

#include <utility>

namespace lw::cli {
namespace {

// Names other than the field table's own that lists commonly give a column.
constexpr std::pair<const char*, int> kCommonNames[] = {
    {"company", 0},     {"zip", 9},           {"postalcode", 9}, {"postcode", 9},
    {"phonenumber", 3}, {"telephone", 3},     {"faxnumber", 4},  {"mail", 5},
    {"street", 6},      {"streetaddress", 6}, {"address", 6},    {"slogan", 7},
};

} // namespace

int fieldOfColumnName(const QString& name) {
    const QString key = nameKey(name);
    if (key.isEmpty())
        return -1;
    if (key == QLatin1String("logo"))
        return kLogoColumn;
    if (key == QLatin1String("colour") || key == QLatin1String("color"))
        return kColourColumn;
    if (key == QLatin1String("accent"))
        return kAccentColumn;
    for (const BrochureField& field : kPlaceholderTable)
        if (key == nameKey(QLatin1String(field.column)) ||
            key == nameKey(QLatin1String(field.caption)))
            return field.index;
    for (const auto& [common, index] : kCommonNames)
        if (key == QLatin1String(common))
            return index;
    return -1;
}

} // namespace lw::cli
