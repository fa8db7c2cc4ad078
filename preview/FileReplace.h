#pragma once

#include <QString>

namespace lw {

// Copies a file byte for byte to target, which may exist. The copy is written
// under a temporary name in target's folder, flushed to disk and then renamed
// over target, so an existing target is either replaced whole or left as it
// was. Throws a Failure naming the reason; no temporary file stays behind.
void copyFileReplacing(const QString& source, const QString& target);

} // namespace lw
