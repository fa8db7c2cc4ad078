#include "brochure/ProfileStore.h"

#include "brochure/ColourScheme.h"
#include "brochure/FieldStore.h"
#include "brochure/SettingsFileReading.h"
#include "brochure/SingleLineText.h"
#include "shell/Failure.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace lw {
namespace {

// A profile is a few hundred bytes; a larger file is not one of ours.
constexpr qint64 kLargestProfileFile = 1 << 20;
constexpr auto kActiveFile = "active";
const QString kFirstProfileName = QStringLiteral("My Business");

// A profile's files are "<stem>.json" and its logo's, in the store's folder.
QString stemPath(const QString& stem) {
    return ProfileStore::folder() + u'/' + stem;
}

QString pathOf(const QString& stem, const QString& suffix) {
    return stemPath(stem) + u'.' + suffix;
}

QString nameFormProblem(const QString& name) {
    if (name.trimmed().isEmpty())
        return QStringLiteral("A profile needs a name.");
    if (name.size() > kLongestProfileName)
        return QStringLiteral("A profile's name has at most %1 characters.")
            .arg(kLongestProfileName);
    if (std::any_of(name.begin(), name.end(),
                    [](QChar c) { return c.category() == QChar::Other_Control; }))
        return QStringLiteral("A profile's name is a single line.");
    return {};
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// What a profile file holds, and whether any of it could not be read.
struct FileReading {
    std::optional<Profile> profile;
    bool damaged = false;
};

FileReading readProfileFile(const QByteArray& bytes) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return {std::nullopt, true};
    const QJsonObject object = document.object();
    FileReading reading;
    Profile profile;
    profile.name = singleLineText(object.value(QStringLiteral("name")).toString()).trimmed();
    if (!nameFormProblem(profile.name).isEmpty())
        return {std::nullopt, true};
    const QJsonObject fields = object.value(QStringLiteral("fields")).toObject();
    for (int i = 0; i < kFieldCount; ++i) {
        const QJsonValue value = fields.value(FieldKey(i));
        reading.damaged = reading.damaged || !(value.isString() || value.isUndefined());
        profile.fields[std::size_t(i)] = singleLineText(value.toString());
    }
    profile.colours = defaultColours();
    for (auto [key, colour] : {std::pair{"colour", &profile.colours.main},
                               std::pair{"accent", &profile.colours.accent}}) {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined())
            continue;
        if (const std::optional<QColor> parsed = parseColour(value.toString()))
            *colour = *parsed;
        else
            reading.damaged = true;
    }
    reading.profile = profile;
    return reading;
}

QByteArray profileJson(const Profile& profile) {
    QJsonObject fields;
    for (int i = 0; i < kFieldCount; ++i)
        fields.insert(FieldKey(i), profile.fields[std::size_t(i)]);
    const QJsonObject object{{QStringLiteral("name"), profile.name},
                             {QStringLiteral("fields"), fields},
                             {QStringLiteral("colour"), colourText(profile.colours.main)},
                             {QStringLiteral("accent"), colourText(profile.colours.accent)}};
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QString notKept(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot keep the profiles in %1: %2")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()), reason);
}

// Written whole under another name and renamed: a crash never leaves half a
// file.
QString writeWhole(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return notKept(path, file.errorString());
    return {};
}

int numberOf(const QString& fileName) {
    static const QRegularExpression pattern(QStringLiteral("^profile-(\\d{1,9})\\."));
    const QRegularExpressionMatch match = pattern.match(fileName);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

QString ProfileStore::folder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/profiles");
}

ColourChoice ProfileStore::shownColours() {
    QFile active(folder() + u'/' + QLatin1String(kActiveFile));
    if (!active.open(QIODevice::ReadOnly))
        return defaultColours();
    const QString stem = QString::fromUtf8(active.read(64)).trimmed();
    QFile file(pathOf(stem, QStringLiteral("json")));
    if (numberOf(stem + u'.') < 0 || !file.open(QIODevice::ReadOnly))
        return defaultColours();
    const FileReading reading = readProfileFile(file.read(kLargestProfileFile));
    return reading.profile && !reading.damaged ? reading.profile->colours : defaultColours();
}

ProfileStore ProfileStore::open(const QDateTime& now) {
    ProfileStore store;
    store.read(now);
    if (!store.m_entries.empty())
        return store;
    // The fields the window shows become the first profile.
    Profile first;
    for (int i = 0; i < kFieldCount; ++i)
        first.fields[std::size_t(i)] = FieldStore::read(i);
    const QString company = singleLineText(first.fields[std::size_t(kTitleFieldIndex)]).trimmed();
    first.name = company.isEmpty() ? kFirstProfileName : company.left(kLongestProfileName);
    first.colours = defaultColours();
    Entry entry{QStringLiteral("profile-%1").arg(store.nextNumber()), first};
    store.m_entries.push_back(entry);
    QString problem = store.writeEntry(entry);
    if (problem.isEmpty())
        problem = store.putLogo(first.name, readStoredLogo());
    if (problem.isEmpty())
        problem = store.setActive(first.name);
    store.m_active = first.name;
    if (!problem.isEmpty())
        store.m_notices << problem;
    return store;
}

void ProfileStore::read(const QDateTime& now) {
    const QDir dir(folder());
    QStringList files = dir.entryList({QStringLiteral("profile-*.json")}, QDir::Files);
    files.removeIf([](const QString& file) { return numberOf(file) < 0; });
    std::sort(files.begin(), files.end(),
              [](const QString& a, const QString& b) { return numberOf(a) < numberOf(b); });
    for (const QString& file : std::as_const(files)) {
        const QString path = dir.filePath(file);
        QFile input(path);
        if (!input.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = input.read(kLargestProfileFile + 1);
        input.close();
        FileReading reading = bytes.size() > kLargestProfileFile ? FileReading{std::nullopt, true}
                                                                 : readProfileFile(bytes);
        Entry entry{QFileInfo(file).completeBaseName(), reading.profile.value_or(Profile())};
        if (reading.damaged) {
            QString copy;
            try {
                copy = keepDamagedCopy(path, bytes, now);
            } catch (const Failure& failure) {
                m_notices << QStringLiteral("The profile file %1 is damaged, and no copy of it "
                                            "could be made (%2), so Leafwright leaves it as it "
                                            "is and does not use it.")
                                 .arg(QDir::toNativeSeparators(path), failure.description());
                continue;
            }
            if (!reading.profile) {
                QFile::remove(path);
                m_notices << QStringLiteral("The profile file %1 was damaged and nothing could be "
                                            "read from it; its contents are kept in %2.")
                                 .arg(QDir::toNativeSeparators(path),
                                      QDir::toNativeSeparators(copy));
                continue;
            }
            m_notices << QStringLiteral("The profile \"%1\" was damaged, so Leafwright could not "
                                        "read all of it; its original file is kept in %2. "
                                        "Please check the profile.")
                             .arg(entry.profile.name, QDir::toNativeSeparators(copy));
        }
        // A copied file may repeat a name: the later one gets a name of its own.
        const QString name = freeName(entry.profile.name);
        const bool renamed = name != entry.profile.name;
        entry.profile.name = name;
        m_entries.push_back(entry);
        if (reading.damaged || renamed)
            writeEntry(entry);
    }
    QFile active(dir.filePath(QLatin1String(kActiveFile)));
    if (active.open(QIODevice::ReadOnly)) {
        const QString stem = QString::fromUtf8(active.read(64)).trimmed();
        for (const Entry& entry : m_entries)
            if (entry.stem == stem)
                m_active = entry.profile.name;
    }
}

QStringList ProfileStore::names() const {
    QStringList names;
    for (const Entry& entry : m_entries)
        names << entry.profile.name;
    return names;
}

const ProfileStore::Entry* ProfileStore::entry(const QString& name) const {
    for (const Entry& entry : m_entries)
        if (entry.profile.name == name)
            return &entry;
    for (const Entry& entry : m_entries)
        if (sameName(entry.profile.name, name))
            return &entry;
    return nullptr;
}

std::optional<Profile> ProfileStore::find(const QString& name) const {
    const Entry* found = entry(name);
    return found ? std::optional<Profile>(found->profile) : std::nullopt;
}

QString ProfileStore::logoFile(const QString& name) const {
    const Entry* found = entry(name);
    return found ? logoFileAt(stemPath(found->stem)) : QString();
}

QString ProfileStore::writeEntry(const Entry& entry) const {
    return writeWhole(pathOf(entry.stem, QStringLiteral("json")), profileJson(entry.profile));
}

QString ProfileStore::put(const Profile& profile) {
    Profile kept = profile;
    kept.name = profile.name.trimmed();
    const Entry* existing = entry(kept.name);
    if (const QString problem =
            nameProblem(kept.name, existing ? existing->profile.name : QString());
        !problem.isEmpty())
        return problem;
    const Entry updated{existing ? existing->stem : QStringLiteral("profile-%1").arg(nextNumber()),
                        kept};
    if (const QString problem = writeEntry(updated); !problem.isEmpty())
        return problem;
    if (!existing) {
        m_entries.push_back(updated);
        return {};
    }
    if (sameName(m_active, existing->profile.name))
        m_active = kept.name;
    m_entries[std::size_t(existing - m_entries.data())] = updated;
    return {};
}

QString ProfileStore::putLogo(const QString& name, const std::optional<StoredLogo>& logo) {
    const Entry* found = entry(name);
    if (!found)
        return QStringLiteral("There is no profile named \"%1\".").arg(name);
    if (const QString reason = writeLogoAt(stemPath(found->stem), logo); !reason.isEmpty())
        return notKept(stemPath(found->stem), reason);
    return {};
}

QString ProfileStore::rename(const QString& name, const QString& newName) {
    const Entry* found = entry(name);
    if (!found)
        return QStringLiteral("There is no profile named \"%1\".").arg(name);
    Entry renamed = *found;
    renamed.profile.name = newName.trimmed();
    if (const QString problem = nameProblem(renamed.profile.name, found->profile.name);
        !problem.isEmpty())
        return problem;
    if (const QString problem = writeEntry(renamed); !problem.isEmpty())
        return problem;
    if (sameName(m_active, found->profile.name))
        m_active = renamed.profile.name;
    m_entries[std::size_t(found - m_entries.data())] = renamed;
    return {};
}

QString ProfileStore::remove(const QString& name) {
    const Entry* found = entry(name);
    if (!found)
        return QStringLiteral("There is no profile named \"%1\".").arg(name);
    const QString path = pathOf(found->stem, QStringLiteral("json"));
    if (!QFile::remove(path) && QFile::exists(path))
        return QStringLiteral("Cannot remove the profile's file %1.")
            .arg(QDir::toNativeSeparators(path));
    writeLogoAt(stemPath(found->stem), std::nullopt);
    if (sameName(m_active, found->profile.name))
        m_active.clear();
    m_entries.erase(m_entries.begin() + (found - m_entries.data()));
    return {};
}

QString ProfileStore::setActive(const QString& name) {
    const Entry* found = entry(name);
    if (!found)
        return QStringLiteral("There is no profile named \"%1\".").arg(name);
    if (const QString problem =
            writeWhole(folder() + u'/' + QLatin1String(kActiveFile), found->stem.toUtf8() + '\n');
        !problem.isEmpty())
        return problem;
    m_active = found->profile.name;
    return {};
}

QString ProfileStore::nameProblem(const QString& name, const QString& except) const {
    if (const QString problem = nameFormProblem(name.trimmed()); !problem.isEmpty())
        return problem;
    for (const Entry& entry : m_entries)
        if (sameName(entry.profile.name, name.trimmed()) && !sameName(entry.profile.name, except))
            return QStringLiteral("There is a profile named \"%1\" already.")
                .arg(entry.profile.name);
    return {};
}

QString ProfileStore::freeName(const QString& base) const {
    const QString stem = base.trimmed().left(kLongestProfileName - 6);
    if (nameProblem(base).isEmpty())
        return base.trimmed();
    for (int n = 2;; ++n)
        if (const QString name = QStringLiteral("%1 (%2)").arg(stem).arg(n);
            nameProblem(name).isEmpty())
            return name;
}

int ProfileStore::nextNumber() const {
    int highest = 0;
    // Copies of damaged files and logos count too: a new profile never
    // takes over a file of an earlier one.
    for (const QString& file : QDir(folder()).entryList(QDir::Files))
        highest = std::max(highest, numberOf(file));
    for (const Entry& entry : m_entries)
        highest = std::max(highest, numberOf(entry.stem + u'.'));
    return highest + 1;
}

} // namespace lw
