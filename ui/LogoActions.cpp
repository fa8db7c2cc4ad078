#include "ui/LogoActions.h"

#include "brochure/LogoStore.h"
#include "shell/Prompts.h"
#include "ui/Form1.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QImageReader>
#include <QMenu>
#include <QMimeData>
#include <QPointer>

namespace lw {
namespace {

QPointer<Form1> g_window;

QString droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().first().isLocalFile())
        return {};
    return data->urls().first().toLocalFile();
}

} // namespace

void setLogoWindow(Form1* window) {
    g_window = window;
}

void useLogoFile(const QString& path) {
    const PreparedLogo logo = prepareLogo(path);
    if (!logo.error.isEmpty()) {
        prompts().message(logo.error + QStringLiteral("; the brochure keeps its logo as it was."));
        return;
    }
    if (g_window)
        g_window->changeLogo(StoredLogo{logo.bytes, logo.suffix});
    if (!logo.warning.isEmpty())
        prompts().message(logo.warning + QLatin1Char('.'));
}

void addLogoActions(QMenu& menu, QWidget* parent) {
    QAction* choose = menu.addAction(QStringLiteral("Logo…"));
    choose->setToolTip(QStringLiteral("Choose a picture of the company's logo for the cover"));
    choose->setEnabled(g_window && !g_window->mBusy);
    QObject::connect(choose, &QAction::triggered, parent, [parent] {
        const QString path = QFileDialog::getOpenFileName(
            parent, QStringLiteral("Logo"), QString(),
            QStringLiteral("Pictures (*.png *.jpg *.jpeg *.svg *.svgz *.webp);;All files (*)"));
        if (!path.isEmpty())
            useLogoFile(path);
    });
    QAction* none = menu.addAction(QStringLiteral("No Logo"));
    none->setToolTip(QStringLiteral("Take the logo off the cover"));
    none->setEnabled(g_window && !g_window->mBusy && !storedLogoPath().isEmpty());
    QObject::connect(none, &QAction::triggered, parent, [] {
        if (g_window)
            g_window->changeLogo(std::nullopt);
    });
}

void LogoDrop::acceptOn(QWidget* window) {
    window->setAcceptDrops(true);
    window->installEventFilter(new LogoDrop(window));
}

bool LogoDrop::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter) {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (!droppedFile(enter->mimeData()).isEmpty() && g_window && !g_window->mBusy) {
            enter->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedFile(drop->mimeData());
        if (!path.isEmpty()) {
            drop->acceptProposedAction();
            useLogoFile(path);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lw
