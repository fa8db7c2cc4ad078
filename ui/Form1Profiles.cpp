// The main window shows one kept business at a time, in its colours, and
// keeps that profile up to date with what it shows.
#include "shell/Prompts.h"
#include "ui/ColourActions.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/LogoActions.h"
#include "ui/ProfileActions.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>

namespace lw {
namespace {

// The logo kept with a profile, as the window keeps its own.
std::optional<StoredLogo> logoOf(const ProfileStore& store, const QString& name) {
    return readLogoFile(store.logoFile(name));
}

bool sameLogo(const std::optional<StoredLogo>& a, const std::optional<StoredLogo>& b) {
    return a.has_value() == b.has_value() &&
           (!a || (a->bytes == b->bytes && a->suffix == b->suffix));
}

} // namespace

ProfileStore& Form1::profiles() {
    // Read again each time: the command line may have kept one meanwhile.
    m_profiles = ProfileStore::open();
    if (!m_profiles.notice().isEmpty())
        prompts().message(m_profiles.notice());
    return m_profiles;
}

void Form1::loadProfiles() {
    const FieldValues shown = fieldValues();
    profiles();
    QString name = m_profiles.active();
    // Without a record of the profile shown, the one with these fields, or
    // a new one of them: what the window shows is never lost.
    for (const QString& known : m_profiles.names())
        if (name.isEmpty() && m_profiles.find(known)->fields == shown)
            name = known;
    if (name.isEmpty()) {
        const QString company = shown.at(std::size_t(kTitleFieldIndex)).trimmed();
        name = m_profiles.freeName(company.isEmpty() ? QStringLiteral("My Business")
                                                     : company.left(kLongestProfileName));
        tellProfileProblem(m_profiles.put(Profile{name, shown, defaultColours()}));
        tellProfileProblem(m_profiles.putLogo(name, readStoredLogo()));
    }
    const std::optional<Profile> profile = m_profiles.find(name);
    if (!profile)
        return;
    tellProfileProblem(m_profiles.setActive(profile->name));
    m_profile = profile->name;
    m_colours = profile->colours;
    // The fields are the settings file's, as they always were; the logo and
    // the colours are the profile's.
    if (profile->fields != shown)
        keepInProfile();
    if (const std::optional<StoredLogo> logo = logoOf(m_profiles, m_profile);
        !sameLogo(logo, readStoredLogo()))
        tellProfileProblem(storeLogo(logo));
    describeLook();
}

void Form1::keepInProfile(bool withLogo) {
    if (m_restoring || m_showingProfile || m_profile.isEmpty())
        return;
    QString problem = m_profiles.put(Profile{m_profile, fieldValues(), m_colours});
    if (problem.isEmpty() && withLogo)
        problem = m_profiles.putLogo(m_profile, readStoredLogo());
    tellProfileProblem(problem);
}

void Form1::tellProfileProblem(const QString& problem) {
    // Once, like a settings file that cannot be written, not at every key.
    if (problem.isEmpty()) {
        m_toldProfileNotKept = false;
    } else if (!m_toldProfileNotKept) {
        m_toldProfileNotKept = true;
        prompts().message(problem);
    }
}

bool Form1::showProfile(const QString& name) {
    const std::optional<Profile> profile = m_profiles.find(name);
    if (!profile)
        return false;
    if (const QString problem = m_profiles.setActive(profile->name); !problem.isEmpty()) {
        prompts().message(problem);
        return false;
    }
    m_profile = profile->name;
    m_colours = profile->colours;
    m_showingProfile = true;
    fillInScreenOrder(QStringLiteral("ShowProfile"), [&](const BrochureField& field) {
        return profile->fields.at(std::size_t(field.index));
    });
    m_showingProfile = false;
    if (const QString problem = storeLogo(logoOf(m_profiles, m_profile)); !problem.isEmpty())
        prompts().message(problem);
    describeLook();
    return true;
}

void Form1::remakeIfShown() {
    if (Form2::isLoaded() && Form2::instance().isVisible())
        makeBrochureAgain();
}

void Form1::switchProfile(const QString& name) {
    if (mBusy)
        return;
    const std::optional<Profile> target = profiles().find(name);
    const QString before = m_profile;
    if (!target || target->name == before || !showProfile(target->name))
        return;
    offerUndoAction([this, before] {
        if (showProfile(before))
            remakeIfShown();
    });
    remakeIfShown();
}

void Form1::newProfile(const QString& name) {
    if (mBusy)
        return;
    const Profile profile{name.trimmed(), fieldValues(), m_colours};
    QString problem = profiles().nameProblem(profile.name);
    if (problem.isEmpty())
        problem = m_profiles.put(profile);
    if (problem.isEmpty())
        problem = m_profiles.putLogo(profile.name, readStoredLogo());
    if (problem.isEmpty())
        problem = m_profiles.setActive(profile.name);
    if (!problem.isEmpty()) {
        prompts().message(problem);
        return;
    }
    const QString before = m_profile;
    m_profile = profile.name;
    describeLook();
    offerUndoAction([this, before, made = profile.name] {
        if (const QString problem = m_profiles.remove(made); !problem.isEmpty())
            prompts().message(problem);
        m_profiles.setActive(before);
        m_profile = before;
        describeLook();
    });
}

void Form1::renameProfile(const QString& name, const QString& newName) {
    if (mBusy)
        return;
    const std::optional<Profile> profile = profiles().find(name);
    if (!profile)
        return;
    if (const QString problem = m_profiles.rename(profile->name, newName); !problem.isEmpty()) {
        prompts().message(problem);
        return;
    }
    const QString renamed = newName.trimmed();
    const auto follow = [this](const QString& from, const QString& to) {
        if (m_profile == from)
            m_profile = to;
        describeLook();
    };
    follow(profile->name, renamed);
    offerUndoAction([this, follow, old = profile->name, renamed] {
        if (const QString problem = m_profiles.rename(renamed, old); !problem.isEmpty())
            prompts().message(problem);
        else
            follow(renamed, old);
    });
}

void Form1::deleteProfile(const QString& name) {
    if (mBusy)
        return;
    const std::optional<Profile> profile = profiles().find(name);
    const QStringList names = m_profiles.names();
    if (!profile || names.size() < 2)
        return;
    const std::optional<StoredLogo> logo = logoOf(m_profiles, profile->name);
    const bool shown = profile->name == m_profile;
    // The profile after it is shown next, or the one before the last.
    const qsizetype at = names.indexOf(profile->name);
    const QString next = names.at(at + 1 < names.size() ? at + 1 : at - 1);
    if (const QString problem = m_profiles.remove(profile->name); !problem.isEmpty()) {
        prompts().message(problem);
        return;
    }
    if (shown)
        showProfile(next);
    offerUndoAction([this, kept = *profile, logo, shown] {
        QString problem = m_profiles.put(kept);
        if (problem.isEmpty())
            problem = m_profiles.putLogo(kept.name, logo);
        if (!problem.isEmpty())
            prompts().message(problem);
        else if (shown && showProfile(kept.name))
            remakeIfShown();
    });
    if (shown)
        remakeIfShown();
}

void Form1::changeColours(const ColourChoice& colours) {
    if (mBusy || colours == m_colours)
        return;
    const ColourChoice before = m_colours;
    m_colours = colours;
    keepInProfile();
    describeLook();
    offerUndoAction([this, before] {
        m_colours = before;
        keepInProfile();
        describeLook();
        remakeIfShown();
    });
    makeBrochureAgain();
}

void Form1::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    addLogoActions(menu, this);
    menu.addSeparator();
    addColourActions(menu, this);
    addProfileActions(menu, this);
    menu.exec(event->globalPos());
}

} // namespace lw
