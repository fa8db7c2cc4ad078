#pragma once

#include <QString>

namespace lw::cli {

// How the rows of a list ended.
struct BatchTally {
    int written = 0;
    int rejected = 0;
    int failed = 0;
    // Rows whose files were all there already and were kept.
    int kept = 0;
    // A file kept as it was is the row's file all the same.
    bool everyRowHasItsFile() const { return rejected == 0 && failed == 0; }
};

// "row 12 of 200, 4.3 rows/s, about 44 s left", after `done` rows in
// `seconds`.
QString progressLine(int done, int total, double seconds);

// "N written, M rejected", then the failed and kept rows when there are
// any, and whether the run was interrupted.
QString summaryLine(const BatchTally& tally, bool interrupted);

} // namespace lw::cli
