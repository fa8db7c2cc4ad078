#include "preview/DragArithmetic.h"
#include "preview/PreviewView.h"
#include "preview/ViewRounding.h"
#include "shell/GuardedProcedure.h"

namespace lw {
namespace {
const QString kForm2 = QStringLiteral("Form2");
}

void PreviewView::picture1_MouseDown(int /*button*/, int /*shift*/, float x, float y) {
    GuardedProcedure down(kForm2, QStringLiteral("picture1_MouseDown"));
    down.step(100, [&] {
        mDragX = x;
        mDragY = y;
    });
}

void PreviewView::picture1_MouseMove(int button, int /*shift*/, float x, float y) {
    GuardedProcedure move(kForm2, QStringLiteral("picture1_MouseMove"));
    // No drag flag: any button down makes a move a drag.
    if (!move.condition(100, [&] { return button != 0; }))
        return;
    // X is measured inside the moving picture, so the pressed point stays
    // under the pointer.
    float newLeft = float(picture1.left);
    float newTop = float(picture1.top);
    move.step(102, [&] { newLeft = float(picture1.left) - mDragX + x; });
    move.step(104,
              [&] { newLeft = clampDragOffset(newLeft, picture2.scaleWidth(), picture1.width); });
    move.step(106, [&] {
        newTop = float(picture1.top) - mDragY + y;
        newTop = clampDragOffset(newTop, picture2.scaleHeight(), picture1.height);
    });
    move.step(108, [&] {
        picture1.left = int(roundHalfEven(newLeft));
        picture1.top = int(roundHalfEven(newTop));
    });
}

void PreviewView::Picture1_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {
    GuardedProcedure up(kForm2, QStringLiteral("Picture1_MouseUp"));
    qint16 horizontal = 0;
    qint16 vertical = 0;
    up.step(100,
            [&] { horizontal = releasePercent(picture1.left, picture1.width, picture2.width); });
    up.step(102,
            [&] { vertical = releasePercent(picture1.top, picture1.height, picture2.height); });
    // The bars' change handlers put the picture on the nearest scroll position.
    up.step(104, [&] { SetHScrollbarByPercent(hScroll1, horizontal); });
    up.step(106, [&] { SetVScrollbarByPercent(vScroll1, vertical); });
}

} // namespace lw
