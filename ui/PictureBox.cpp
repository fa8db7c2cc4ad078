#include "ui/PictureBox.h"

#include "ui/Twips.h"

#include <QPainter>
#include <qdrawutil.h>

namespace lw {

PictureBox::PictureBox(QWidget* parent, const BoxTwips& box)
    : QWidget(parent), m_borderPixels(twipsToPixels(box.border)) {
    setProperty("lwPictureBox", true);
    setAutoFillBackground(true);
    if (m_borderPixels > 0) {
        // Transparent, so the box's picture and colour show through it; mouse
        // events it does not take reach the box.
        m_client = new QWidget(this);
    } else {
        m_client = this;
    }
    setTwipsGeometry(box);
}

void PictureBox::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void PictureBox::setTwipsGeometry(const BoxTwips& box) {
    setGeometry(twipsRect(box.left, box.top, box.width, box.height));
    if (m_client != this)
        m_client->setGeometry(
            rect().adjusted(m_borderPixels, m_borderPixels, -m_borderPixels, -m_borderPixels));
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_picture.isNull()) {
        painter.save();
        painter.setClipRect(
            rect().adjusted(m_borderPixels, m_borderPixels, -m_borderPixels, -m_borderPixels));
        // A picture made for other device pixels than the screen's (a sharp
        // snapshot before its first redraw) is drawn at its logical size,
        // smoothly.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QPoint(m_borderPixels, m_borderPixels), m_picture);
        painter.restore();
    }
    if (m_borderPixels > 0)
        qDrawWinPanel(&painter, rect(), palette(), true);
}

} // namespace lw
