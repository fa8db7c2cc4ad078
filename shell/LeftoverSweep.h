#pragma once

#include <QString>

namespace lw {

// Removes what earlier processes of the program listed in their records
// (see InstanceRecord.h) and could not remove because they were killed. Only
// records of processes that are gone and owned by this user are read; a
// listed path is removed only when it is still the thing that was made (same
// owner, no link followed, same file where that was noted). Quiet: a working
// folder that cannot be used yet is left for the run to report.
void sweepLeftovers();

// Removes what one record lists, then the record. For the sweep and for this
// process's own record at its end.
void removeListedLeftovers(const QString& recordPath);

} // namespace lw
