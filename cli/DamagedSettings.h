#pragma once

#include "brochure/FieldStore.h"

#include <QString>

namespace lw::cli {

// One line for standard error about a damaged settings file: which file,
// where its original contents are kept, and which fields were read back.
QString damagedSettingsNotice(const StoreCheck& check);

} // namespace lw::cli
