#pragma once

// Kept businesses: named profiles, each with the ten fields, a logo and the
// colours, in a store of their own in the user's data folder. The window's
// fields stay in the settings store as they always were; the profile the
// window shows is kept up to date with them.

#include "brochure/BrandColours.h"
#include "brochure/BrochureProduct.h"
#include "brochure/LogoStore.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace lw {

struct Profile {
    QString name;
    std::array<QString, kFieldCount> fields;
    ColourChoice colours;
};

// A profile's name may hold blanks, commas and any letters, up to this many
// characters, but no line break or other control character.
inline constexpr qsizetype kLongestProfileName = 100;

class ProfileStore {
public:
    // Reads every profile. A profile file that cannot be read as written is
    // copied beside itself first and kept with what could still be read (or,
    // with nothing readable, no longer read), and notice() says so; no other
    // profile, nor the settings file, is touched. With no profile at all, the
    // first is made from the window's fields and logo, so nothing is lost.
    static ProfileStore open(const QDateTime& now = QDateTime::currentDateTime());

    // The names, in the order the profiles were made.
    QStringList names() const;
    // The profile of that name, exactly or else without regard to case.
    std::optional<Profile> find(const QString& name) const;
    // Its logo's file, or empty for none.
    QString logoFile(const QString& name) const;
    // The profile the window shows, or empty when none is known.
    QString active() const { return m_active; }
    // What the user must be told about damaged profile files; empty when none.
    QString notice() const { return m_notices.join(QStringLiteral("\n\n")); }

    // Each change is on disk when it returns; the reason in plain words when
    // it could not be made, nothing changed then.
    // A new profile, or the one of that name replaced (its logo stays).
    QString put(const Profile& profile);
    QString putLogo(const QString& name, const std::optional<StoredLogo>& logo);
    QString rename(const QString& name, const QString& newName);
    QString remove(const QString& name);
    QString setActive(const QString& name);

    // Why a name cannot be given to a profile (other than `except`, the one
    // being renamed); empty when it can.
    QString nameProblem(const QString& name, const QString& except = {}) const;
    // The first free name of the form "base", "base (2)", "base (3)", ...
    QString freeName(const QString& base) const;

    // The colours of the profile the window shows, read without changing
    // anything; the brochure's own when none can be read.
    static ColourChoice shownColours();

    // Where the store lives.
    static QString folder();

private:
    struct Entry {
        QString stem; // "profile-N": the file's name without its ending
        Profile profile;
    };
    const Entry* entry(const QString& name) const;
    QString writeEntry(const Entry& entry) const;
    void read(const QDateTime& now);
    int nextNumber() const;

    std::vector<Entry> m_entries;
    QString m_active;
    QStringList m_notices;
};

} // namespace lw
