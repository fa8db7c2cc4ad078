#include "shell/KeptClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace lw {
namespace {

// Qt's own name for a picture held as an image, not as bytes.
constexpr auto kQtImageFormat = "application/x-qt-image";

QClipboard* clipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::clipboard()
               : nullptr;
}

} // namespace

KeptClipboard::KeptClipboard() {
    QClipboard* board = clipboard();
    const QMimeData* current = board ? board->mimeData() : nullptr;
    if (!current)
        return;
    auto kept = std::make_unique<QMimeData>();
    for (const QString& format : current->formats()) {
        if (format == QLatin1String(kQtImageFormat))
            kept->setImageData(current->imageData());
        else
            kept->setData(format, current->data(format));
    }
    if (!kept->formats().isEmpty())
        m_kept = std::move(kept);
}

KeptClipboard::~KeptClipboard() {
    restore();
}

void KeptClipboard::restore() {
    if (m_restored)
        return;
    m_restored = true;
    QClipboard* board = clipboard();
    if (!board)
        return;
    if (m_kept)
        board->setMimeData(m_kept.release());
    else
        board->clear();
}

} // namespace lw
