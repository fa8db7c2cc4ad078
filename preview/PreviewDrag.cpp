#include "preview/DragArithmetic.h"
#include "preview/PreviewView.h"
#include "preview/ViewRounding.h"
#include "shell/GuardedProcedure.h"

namespace lw {
namespace {
const QString kForm2 = QStringLiteral("Form2");
}

void PreviewView::picture1_MouseDown(int /*button*/, int /*shift*/, float x, float y) {
    const Change change(*this);
    GuardedProcedure down(kForm2, QStringLiteral("picture1_MouseDown"));
    down.step(100, [&] {
        mDragX = x;
        mDragY = y;
    });
}

void PreviewView::picture1_MouseMove(int button, int /*shift*/, float x, float y) {
    const Change change(*this);
    GuardedProcedure move(kForm2, QStringLiteral("picture1_MouseMove"));
    // No drag flag: any button down makes a move a drag.
    if (!move.condition(100, [&] { return button != 0; }))
        return;
    // X is measured inside the moving picture, so the pressed point stays
    // under the pointer.
    float newLeft = float(m_picture1.left);
    float newTop = float(m_picture1.top);
    move.step(102, [&] { newLeft = float(m_picture1.left) - mDragX + x; });
    move.step(104, [&] {
        newLeft = clampDragOffset(newLeft, m_picture2.scaleWidth(), m_picture1.width);
    });
    move.step(106, [&] {
        newTop = float(m_picture1.top) - mDragY + y;
        newTop = clampDragOffset(newTop, m_picture2.scaleHeight(), m_picture1.height);
    });
    move.step(108, [&] { movePicture1(int(roundHalfEven(newLeft)), int(roundHalfEven(newTop))); });
}

void PreviewView::Picture1_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {
    const Change change(*this);
    GuardedProcedure up(kForm2, QStringLiteral("Picture1_MouseUp"));
    qint16 horizontal = 0;
    qint16 vertical = 0;
    up.step(100, [&] {
        horizontal = releasePercent(m_picture1.left, m_picture1.width, m_picture2.width);
    });
    up.step(102, [&] {
        vertical = releasePercent(m_picture1.top, m_picture1.height, m_picture2.height);
    });
    // The bars' change handlers put the picture on the nearest scroll position.
    up.step(104, [&] { SetHScrollbarByPercent(m_hScroll1, horizontal); });
    up.step(106, [&] { SetVScrollbarByPercent(m_vScroll1, vertical); });
}

} // namespace lw
