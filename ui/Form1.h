#pragma once

#include "brochure/BrochureProduct.h"
#include "brochure/ColourScheme.h"
#include "brochure/LogoStore.h"
#include "brochure/ProfileStore.h"
#include "ui/SkinFramework.h"
#include "ui/WindowPointer.h"

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShortcut;

namespace lw {

// The main window: the ten brochure fields, the generation button and the
// clear and sample commands.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

    // Prepares the window, restores the fields and proves the engine starts.
    void Form_Load();

    void PushButton3_Click();
    void PushButton4_Click();
    void PushButton6_Click();
    // Ctrl+Z after Clear/Reset or Load Sample: puts back, through the fields,
    // the ten values the command replaced. Once; typing in a field after the
    // command leaves Ctrl+Z to the field.
    void undoDataCommand();
    bool canUndoDataCommand() const {
        return m_valuesBeforeCommand.has_value() || m_logoBeforeCommand.has_value() ||
               bool(m_undoAction);
    }
    // Keeps a new logo for the cover (none: takes it off), offers Ctrl+Z back
    // to the one before, and makes the brochure again to show it.
    void changeLogo(const std::optional<StoredLogo>& logo);

    // The kept business the window shows, and the brochure's colours.
    const QString& activeProfile() const { return m_profile; }
    const ColourChoice& colours() const { return m_colours; }
    // The profiles as they are kept now.
    ProfileStore& profiles();
    // Each offers Ctrl+Z back and tells the user, in a message, what could
    // not be done. Switching fills every field, the logo and the colours,
    // and makes the brochure again when the preview shows it.
    void switchProfile(const QString& name);
    // A new profile of what the window shows, which it then shows.
    void newProfile(const QString& name);
    void renameProfile(const QString& name, const QString& newName);
    // The last profile stays.
    void deleteProfile(const QString& name);
    // New colours for the brochure, kept in the profile, shown at once as
    // the logo is.
    void changeColours(const ColourChoice& colours);

    QLineEdit* Text1(int index) const { return m_text1.at(std::size_t(index)); }
    QLabel* Label2(int index) const { return m_label2.at(std::size_t(index)); }
    QGroupBox* Frame1() const { return m_frame1; }
    QPushButton* PushButton6() const { return m_pushButton6; }
    QPushButton* PushButton3() const { return m_pushButton3; }
    QPushButton* PushButton4() const { return m_pushButton4; }
    SkinFramework& SkinFramework1() { return m_skin; }
    WindowPointer& pointer() { return m_pointer; }

    bool mBusy = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void buildControls();
    void Text1_Change(int index);
    // Sets a field through its text, as typing would.
    void setFieldText(int index, const QString& text);
    using FieldValues = std::array<QString, kFieldCount>;
    // Sets every field, down the form, to the value given for it.
    void fillInScreenOrder(const QString& procedure,
                           const std::function<QString(const BrochureField&)>& valueOf);
    FieldValues fieldValues() const;
    void setUpUndo();
    void offerUndo(const FieldValues& before);
    void dropUndo();
    bool isWindowUndo(QEvent* event) const;
    void offerUndoAction(std::function<void()> undo);
    // The brochure made again, when it is in the preview or always.
    void makeBrochureAgain();
    void remakeIfShown();
    // Profiles: read at start-up and matched with the window; shown whole;
    // kept up to date with the window.
    void loadProfiles();
    bool showProfile(const QString& name);
    void keepInProfile(bool withLogo = false);
    void tellProfileProblem(const QString& problem);

    QGroupBox* m_frame1 = nullptr;
    std::array<QLineEdit*, kFieldCount> m_text1{};
    std::array<QLabel*, kFieldCount> m_label2{};
    QPushButton* m_pushButton6 = nullptr;
    QPushButton* m_pushButton3 = nullptr;
    QPushButton* m_pushButton4 = nullptr;
    SkinFramework m_skin;
    WindowPointer m_pointer{this};
    // Restoring the fields at start-up: their changes are not stored.
    bool m_restoring = false;
    // The user knows the fields are not being kept.
    bool m_toldNotKept = false;
    // The stored length of each field whose stored text is too long to show
    // whole: its box shows only the start, the store keeps it whole until
    // the field is changed, and a run refuses it; 0 for the others.
    std::array<qsizetype, kFieldCount> m_overlongStored{};
    std::optional<FieldValues> m_valuesBeforeCommand;
    std::optional<std::optional<StoredLogo>> m_logoBeforeCommand;
    // Undoes a profile or colour command.
    std::function<void()> m_undoAction;
    QShortcut* m_undo = nullptr;
    ProfileStore m_profiles;
    QString m_profile;
    ColourChoice m_colours = defaultColours();
    // A profile's fields are being shown: they are its own already.
    bool m_showingProfile = false;
    bool m_toldProfileNotKept = false;
};

} // namespace lw
