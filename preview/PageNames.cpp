#include "preview/PageNames.h"

#include <cmath>

namespace lw {

QString pageName(int page) {
    switch (page) {
    case 1:
        return QStringLiteral("Page 1 (outside)");
    case 2:
        return QStringLiteral("Page 2 (inside)");
    default:
        return QStringLiteral("Page %1").arg(page);
    }
}

QString pictureDescription(int page, int pageCount, float zoom, bool coverLogo) {
    QString text = QStringLiteral("%1 of %2, zoom %3 %")
                       .arg(pageName(page))
                       .arg(pageCount)
                       .arg(std::lround(zoom * 100));
    if (coverLogo)
        text += QStringLiteral(". The cover shows the company's logo above its name");
    if (page < pageCount)
        text += QStringLiteral(". Page Down shows %1").arg(pageName(page + 1));
    if (page > 1)
        text += QStringLiteral(". Page Up shows %1").arg(pageName(page - 1));
    return text + QLatin1Char('.');
}

} // namespace lw
