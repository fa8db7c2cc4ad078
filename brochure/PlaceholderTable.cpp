#include "brochure/PlaceholderTable.h"

namespace lw {

QString FieldKey(int index) {
    return QStringLiteral("Text1_") + QString::number(index);
}

} // namespace lw
