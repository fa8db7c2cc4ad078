#include "cli/BatchProgress.h"

#include <cmath>

namespace lw::cli {

QString progressLine(int done, int total, double seconds) {
    QString line = QStringLiteral("row %1 of %2").arg(done).arg(total);
    if (done > 0 && seconds > 0) {
        const double rate = done / seconds;
        const long left = std::lround((total - done) / rate);
        line += QStringLiteral(", %1 rows/s, about %2 left")
                    .arg(rate, 0, 'f', 1)
                    .arg(left >= 60 ? QStringLiteral("%1 min %2 s").arg(left / 60).arg(left % 60)
                                    : QStringLiteral("%1 s").arg(left));
    }
    return line;
}

QString summaryLine(const BatchTally& tally, bool interrupted) {
    QString line = QStringLiteral("%1 written, %2 rejected").arg(tally.written).arg(tally.rejected);
    if (tally.failed > 0)
        line += QStringLiteral(", %1 failed").arg(tally.failed);
    if (tally.kept > 0)
        line += QStringLiteral(", %1 kept as they were").arg(tally.kept);
    if (interrupted)
        line += QStringLiteral(" (interrupted)");
    return line;
}

} // namespace lw::cli
