#include "cli/ProfileCommands.h"

#include "brochure/ColourScheme.h"
#include "brochure/FieldStore.h"
#include "brochure/LogoPicture.h"
#include "cli/DamagedSettings.h"
#include "cli/OneBrochure.h"
#include "cli/Terminal.h"

namespace lw::cli {
namespace {

// Exit status of a bad invocation, which an unknown or unusable name is.
constexpr int kBadInvocation = 2;

// The store as the window would find it: a damaged settings file recovered
// first, since the first profile is made from its fields.
ProfileStore openStore() {
    const StoreCheck check = FieldStore::checkAtStartUp();
    if (!check.damagedFile.isEmpty())
        printError(damagedSettingsNotice(check));
    ProfileStore store = ProfileStore::open();
    if (!store.notice().isEmpty())
        printError(store.notice().replace(QStringLiteral("\n\n"), QStringLiteral("\n")));
    return store;
}

QString quotedNames(const QStringList& names) {
    QStringList quoted;
    for (const QString& name : names)
        quoted << QLatin1Char('"') + name + QLatin1Char('"');
    return quoted.join(QStringLiteral(", "));
}

} // namespace

std::optional<BrochureLook> brochureLook(const Invocation& invocation, int* exitStatus) {
    BrochureLook look;
    look.colours = defaultColours();
    if (!invocation.profile.isEmpty()) {
        const ProfileStore store = openStore();
        look.profile = store.find(invocation.profile);
        if (!look.profile) {
            printError(QStringLiteral("--profile: there is no profile named \"%1\"; the profiles "
                                      "are %2")
                           .arg(invocation.profile, quotedNames(store.names())));
            *exitStatus = kBadInvocation;
            return std::nullopt;
        }
        look.logo = store.logoFile(look.profile->name);
        look.colours = look.profile->colours;
    } else {
        // As the window shows them, as its fields and logo are.
        look.colours = ProfileStore::shownColours();
    }
    if (invocation.logoGiven || !look.profile)
        look.logo = logoToUse(invocation);
    look.colours = chosenColours(invocation, look.colours);
    return look;
}

int runSchemes() {
    QString lines;
    for (const ColourScheme& scheme : colourSchemes())
        lines += QStringLiteral("%1\t%2\t%3\n")
                     .arg(scheme.name, colourText(scheme.colours.main),
                          colourText(scheme.colours.accent));
    printOut(lines);
    return 0;
}

int runProfiles() {
    const ProfileStore store = openStore();
    QString lines;
    for (const QString& name : store.names())
        lines += name + QLatin1Char('\n');
    printOut(lines);
    return 0;
}

int runSaveProfile(const Invocation& invocation) {
    ProfileStore store = openStore();
    const std::optional<Profile> existing = store.find(invocation.saveProfile);
    const QString name = existing ? existing->name : invocation.saveProfile;
    if (const QString problem = store.nameProblem(invocation.saveProfile, name);
        !problem.isEmpty()) {
        printError(
            QStringLiteral("--save-profile: \"%1\": %2").arg(invocation.saveProfile, problem));
        return kBadInvocation;
    }
    if (!existing && invocation.fieldsFile.isEmpty()) {
        printError(QStringLiteral("--save-profile: a new profile needs its fields: --fields "
                                  "FILE.ini"));
        return kBadInvocation;
    }
    // The window's fields are those of the profile it shows, kept in the
    // settings file, and stay as they are.
    if (existing && !invocation.fieldsFile.isEmpty() &&
        store.active().compare(name, Qt::CaseInsensitive) == 0) {
        printError(QStringLiteral("--save-profile: \"%1\" is the profile the window shows, whose "
                                  "fields are the window's; type them there, or keep these "
                                  "under another name; nothing was saved")
                       .arg(name));
        return 1;
    }
    Profile profile = existing.value_or(Profile{invocation.saveProfile, {}, defaultColours()});
    profile.name = invocation.saveProfile;
    if (!invocation.fieldsFile.isEmpty()) {
        const auto fields = brochureFields(invocation.fieldsFile);
        if (!fields)
            return 1;
        profile.fields = *fields;
    }
    profile.colours = chosenColours(invocation, profile.colours);
    std::optional<StoredLogo> logo;
    if (invocation.logoGiven && !invocation.logo.isEmpty()) {
        const PreparedLogo prepared = prepareLogo(invocation.logo);
        if (!prepared.error.isEmpty()) {
            printError(prepared.error + QStringLiteral("; nothing was saved"));
            return 1;
        }
        logo = StoredLogo{prepared.bytes, prepared.suffix};
    }
    QString problem = store.put(profile);
    if (problem.isEmpty() && invocation.logoGiven)
        problem = store.putLogo(profile.name, logo);
    if (!problem.isEmpty()) {
        printError(problem);
        return 1;
    }
    return 0;
}

} // namespace lw::cli
