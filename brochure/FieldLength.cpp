#include "brochure/FieldLength.h"

#include "brochure/BrochureProduct.h"

#include <QLocale>

namespace lw {

QString fieldName(int index) {
    QString caption = QString::fromLatin1(kPlaceholderTable.at(std::size_t(index)).caption);
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption;
}

QString overlongFieldProblem(int index, qsizetype length) {
    if (length <= kLongestFieldText)
        return QString();
    const QLocale locale(QLocale::English);
    return QStringLiteral("The field \"%1\" holds %2 characters, more than any brochure takes "
                          "(at most %3). Shorten it, then try again.")
        .arg(fieldName(index), locale.toString(length), locale.toString(kLongestFieldText));
}

} // namespace lw
