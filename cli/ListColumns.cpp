#include "cli/ListColumns.h"

#include "brochure/BrochureProduct.h"

#include <utility>

namespace lw::cli {
namespace {

// Letters and digits only, in lower case: "Zip-Code", "zip_code" and
// "ZIP Code" are one name.
QString comparable(const QString& name) {
    QString key;
    for (const QChar c : name)
        if (c.isLetterOrNumber())
            key += c.toCaseFolded();
    return key;
}

// Names other than the field table's own that lists commonly give a column.
constexpr std::pair<const char*, int> kCommonNames[] = {
    {"company", 0},     {"zip", 9},           {"postalcode", 9}, {"postcode", 9},
    {"phonenumber", 3}, {"telephone", 3},     {"faxnumber", 4},  {"mail", 5},
    {"street", 6},      {"streetaddress", 6}, {"address", 6},    {"slogan", 7},
};

} // namespace

int fieldOfColumnName(const QString& name) {
    const QString key = comparable(name);
    if (key.isEmpty())
        return -1;
    if (key == QLatin1String("logo"))
        return kLogoColumn;
    if (key == QLatin1String("colour") || key == QLatin1String("color"))
        return kColourColumn;
    if (key == QLatin1String("accent"))
        return kAccentColumn;
    for (const BrochureField& field : kPlaceholderTable)
        if (key == comparable(QLatin1String(field.column)) ||
            key == comparable(QLatin1String(field.caption)))
            return field.index;
    for (const auto& [common, index] : kCommonNames)
        if (key == QLatin1String(common))
            return index;
    return -1;
}

} // namespace lw::cli
