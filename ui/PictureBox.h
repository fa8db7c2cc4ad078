#pragma once

#include "preview/BoxTwips.h"

#include <QImage>
#include <QWidget>

namespace lw {

// A picture box: paints its picture at its inner top-left corner on its back
// colour, optionally inside a sunken border. Children belong in client(),
// which is the inner area, so they are clipped at the border. Geometry is
// set in twips; this is where twips become pixels for the preview.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    // The border is drawn inside the box; box.border is its width in twips.
    PictureBox(QWidget* parent, const BoxTwips& box);

    void setPicture(const QImage& picture);
    void clearPicture() { setPicture(QImage()); }
    const QImage& picture() const { return m_picture; }

    // Where child boxes go: the box itself when it has no border.
    QWidget* client() const { return m_client; }

    // Places and sizes the box; a box's border never changes.
    void setTwipsGeometry(const BoxTwips& box);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QWidget* m_client = nullptr;
    int m_borderPixels = 0;
};

} // namespace lw
