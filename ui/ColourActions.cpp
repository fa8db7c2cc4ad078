#include "ui/ColourActions.h"

#include "brochure/ColourScheme.h"
#include "ui/Form1.h"
#include "ui/LookCommands.h"
#include "ui/LookKeys.h"

#include <QActionGroup>
#include <QColorDialog>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

namespace lw {
namespace {

// The main colour beside the accent, to tell the schemes apart at a glance.
QIcon swatch(const ColourChoice& colours) {
    QPixmap picture(32, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.fillRect(0, 0, 20, 16, colours.main);
    painter.fillRect(20, 0, 12, 16, colours.accent);
    return QIcon(picture);
}

} // namespace

void chooseColour(QWidget* parent, bool accent) {
    Form1* form = idleMainForm();
    if (!form)
        return;
    ColourChoice colours = form->colours();
    QColor& changed = accent ? colours.accent : colours.main;
    const QColor picked = QColorDialog::getColor(
        changed, parent, accent ? QStringLiteral("Accent Colour") : QStringLiteral("Main Colour"));
    if (!picked.isValid() || picked.rgb() == changed.rgb())
        return;
    changed = QColor(picked.rgb());
    form->changeColours(colours);
}

void addColourActions(QMenu& menu, QWidget* parent) {
    QMenu* colours = menu.addMenu(QStringLiteral("Colours"));
    colours->setToolTipsVisible(true);
    Form1* form = idleMainForm();
    const ColourChoice current = form ? form->colours() : defaultColours();
    auto* schemes = new QActionGroup(colours);
    for (const ColourScheme& scheme : colourSchemes()) {
        // "Teal & Amber": the ampersand is shown, not taken as a mnemonic.
        QAction* use = colours->addAction(swatch(scheme.colours),
                                          QString(scheme.name).replace(u'&', QStringLiteral("&&")));
        use->setCheckable(true);
        use->setChecked(scheme.colours == current);
        use->setEnabled(form != nullptr);
        schemes->addAction(use);
        QObject::connect(use, &QAction::triggered, parent, [colours = scheme.colours] {
            if (Form1* form = idleMainForm(); form && !(form->colours() == colours))
                form->changeColours(colours);
        });
    }
    if (schemeNameOf(current).isEmpty()) {
        QAction* own = colours->addAction(swatch(current), describeColours(current));
        own->setCheckable(true);
        own->setChecked(true);
        own->setEnabled(false);
        schemes->addAction(own);
    }
    colours->addSeparator();
    addMenuCommand(*colours, QStringLiteral("Main Colour…"),
                   QStringLiteral("The colour of the cover, the cards and the bands"),
                   look_keys::kMainColour, form != nullptr, parent,
                   [parent] { chooseColour(parent, false); });
    addMenuCommand(*colours, QStringLiteral("Accent Colour…"),
                   QStringLiteral("The colour of the rules, the bars, the labels and the numbers"),
                   look_keys::kAccentColour, form != nullptr, parent,
                   [parent] { chooseColour(parent, true); });
}

} // namespace lw
