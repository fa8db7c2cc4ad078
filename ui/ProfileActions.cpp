#include "ui/ProfileActions.h"

#include "brochure/ColourScheme.h"
#include "ui/ColourActions.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/LookCommands.h"
#include "ui/LookKeys.h"
#include "ui/MainWindow.h"

#include <QActionGroup>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>

namespace lw {
namespace {

// Today nothing on screen shows that the right-click menus hold these.
const auto kMainWindowHint =
    QStringLiteral("Right-click the window (outside the fields) for the logo, the colours and "
                   "the business profiles; right-click the brochure in the preview to print it.");
const auto kPreviewHint = QStringLiteral(
    "Right-click the brochure for its pages, printing, the logo, the colours and the business "
    "profiles.");

QString askName(QWidget* parent, const QString& title, const QString& label,
                const QString& suggestion) {
    bool ok = false;
    const QString name =
        QInputDialog::getText(parent, title, label, QLineEdit::Normal, suggestion, &ok);
    return ok ? name.trimmed() : QString();
}

void askNewProfile(QWidget* parent) {
    Form1* form = idleMainForm();
    if (!form)
        return;
    const QString company = form->Text1(kTitleFieldIndex)->text().trimmed();
    const QString name =
        askName(parent, QStringLiteral("New Profile"),
                QStringLiteral("Keep what the window shows as a new profile named:"),
                form->profiles().freeName(company.isEmpty() ? QStringLiteral("New Business")
                                                            : company.left(kLongestProfileName)));
    if (!name.isEmpty())
        form->newProfile(name);
}

void askRename(QWidget* parent) {
    Form1* form = idleMainForm();
    if (!form || form->activeProfile().isEmpty())
        return;
    const QString current = form->activeProfile();
    const QString name =
        askName(parent, QStringLiteral("Rename Profile"),
                QStringLiteral("A new name for the profile \"%1\":").arg(current), current);
    if (!name.isEmpty() && name != current)
        form->renameProfile(current, name);
}

void deleteShown() {
    if (Form1* form = idleMainForm(); form && form->profiles().names().size() > 1)
        form->deleteProfile(form->activeProfile());
}

void showProfileAt(int position) {
    Form1* form = idleMainForm();
    if (!form)
        return;
    const QStringList names = form->profiles().names();
    if (position < names.size())
        form->switchProfile(names.at(position));
}

QString lookDescription() {
    const auto* form = qobject_cast<Form1*>(mainWindow());
    if (!form)
        return {};
    return QStringLiteral("Profile: %1. Colours: %2.")
        .arg(form->activeProfile(), describeColours(form->colours()));
}

} // namespace

void setUpLookActions(QWidget* window) {
    const auto bind = [window](const QKeySequence& key, const std::function<void()>& action) {
        auto* shortcut = new QShortcut(key, window);
        QObject::connect(shortcut, &QShortcut::activated, window, action);
    };
    for (int position = 0; position < look_keys::kNumberedProfiles; ++position)
        bind(look_keys::profile(position), [position] { showProfileAt(position); });
    bind(look_keys::kNewProfile, [window] { askNewProfile(window); });
    bind(look_keys::kRenameProfile, [window] { askRename(window); });
    bind(look_keys::kDeleteProfile, [] { deleteShown(); });
    bind(look_keys::kMainColour, [window] { chooseColour(window, false); });
    bind(look_keys::kAccentColour, [window] { chooseColour(window, true); });
    window->setToolTip(window == mainWindow() ? kMainWindowHint : kPreviewHint);
    window->setAccessibleDescription(lookDescription());
}

void addProfileActions(QMenu& menu, QWidget* parent) {
    QMenu* profiles = menu.addMenu(QStringLiteral("Profile"));
    profiles->setToolTipsVisible(true);
    Form1* form = idleMainForm();
    const QStringList names = form ? form->profiles().names() : QStringList();
    auto* group = new QActionGroup(profiles);
    for (qsizetype position = 0; position < names.size(); ++position) {
        const QString name = names.at(position);
        // An ampersand in a name is shown, not taken as a mnemonic.
        QAction* show = profiles->addAction(QString(name).replace(u'&', QStringLiteral("&&")));
        show->setCheckable(true);
        show->setChecked(name == form->activeProfile());
        if (position < look_keys::kNumberedProfiles)
            show->setShortcut(look_keys::profile(int(position)));
        group->addAction(show);
        QObject::connect(show, &QAction::triggered, parent, [name] {
            if (Form1* form = idleMainForm())
                form->switchProfile(name);
        });
    }
    profiles->addSeparator();
    addMenuCommand(
        *profiles, QStringLiteral("New Profile…"),
        QStringLiteral("Keep the fields, the logo and the colours shown as a new profile"),
        look_keys::kNewProfile, form != nullptr, parent, [parent] { askNewProfile(parent); });
    addMenuCommand(*profiles, QStringLiteral("Rename Profile…"),
                   QStringLiteral("Give the profile shown a new name"), look_keys::kRenameProfile,
                   form != nullptr, parent, [parent] { askRename(parent); });
    addMenuCommand(*profiles, QStringLiteral("Delete Profile"),
                   QStringLiteral("Delete the profile shown and show another (Ctrl+Z in the main "
                                  "window brings it back)"),
                   look_keys::kDeleteProfile, form && names.size() > 1, parent,
                   [] { deleteShown(); });
}

void describeLook() {
    auto* form = qobject_cast<Form1*>(mainWindow());
    if (!form)
        return;
    form->setAccessibleDescription(lookDescription());
    if (Form2::isLoaded())
        Form2::instance().setAccessibleDescription(lookDescription());
}

} // namespace lw
