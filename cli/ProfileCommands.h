#pragma once

#include "brochure/ProfileStore.h"
#include "cli/CommandLine.h"

#include <optional>

namespace lw::cli {

// What a brochure of the command line looks like besides its fields: the
// profile asked for, if any, the logo and the colours.
struct BrochureLook {
    std::optional<Profile> profile;
    QString logo; // a picture file, or empty for none
    ColourChoice colours;
};

// The look an invocation asks for: --logo, else the profile's logo, else
// the window's; the colours given over the profile's (else those the window
// shows). None, with the exit status, when --profile names no profile (the
// known names are told).
std::optional<BrochureLook> brochureLook(const Invocation& invocation, int* exitStatus);

// --schemes, --profiles, --save-profile. Return the exit status.
int runSchemes();
int runProfiles();
int runSaveProfile(const Invocation& invocation);

} // namespace lw::cli
