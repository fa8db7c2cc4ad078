#pragma once

#include "brochure/ProfileStore.h"
#include "cli/BrochureWriter.h"
#include "cli/CommandLine.h"

#include <QSize>

#include <optional>

namespace lw::cli {

// --output: one brochure from the saved fields or a settings file, written
// as the file's ending says. Returns the exit status: 0 when it was
// written, 1 when not (the reason on standard error), 130 when interrupted.
int runOneBrochure(const Invocation& invocation);

// The saved fields, or those of a settings file when one is named, or else
// the profile's when one is given; none (the reason on standard error) when
// the file cannot be read.
std::optional<BrochureWriter::Fields>
brochureFields(const QString& fieldsFile, const std::optional<Profile>& profile = std::nullopt);

// The logo for the cover: --logo's file when it is given (none when it is
// given empty), else the one the window keeps, as the fields are.
QString logoToUse(const Invocation& invocation);

// True when there is no logo or it can be used; otherwise says why on
// standard error, before any office is started. A logo that prints coarsely
// is warned about there. pixels, when asked for, are the logo's as made
// ready for the cover.
bool logoCanBeUsed(const QString& logo, QSize* pixels = nullptr);

} // namespace lw::cli
