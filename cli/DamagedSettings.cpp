#include "cli/DamagedSettings.h"

#include "brochure/BrochureProduct.h"
#include "brochure/FieldLength.h"

#include <QStringList>

namespace lw::cli {

QString damagedSettingsNotice(const StoreCheck& check) {
    QStringList captions;
    for (int index : check.recoveredFields)
        captions << fieldName(index);
    const QString kept =
        check.damagedCopy.isEmpty()
            ? QStringLiteral("no copy of it could be made (%1), so it is left as it is")
                  .arg(check.copyProblem)
            : QStringLiteral("its original contents are kept in %1").arg(check.damagedCopy);
    const QString recovered =
        captions.isEmpty()
            ? QStringLiteral("no field could be read back from it")
            : QStringLiteral("read back from it: %1 (%2 of %3 fields; the others are empty)")
                  .arg(captions.join(QStringLiteral(", ")))
                  .arg(captions.size())
                  .arg(kFieldCount);
    return QStringLiteral("the settings file %1 is damaged; %2; %3")
        .arg(check.damagedFile, kept, recovered);
}

} // namespace lw::cli
