// Drag to pan: the clamp against the viewport's inner size and the scroll
// bars following on release.
#include "preview/PreviewSurface.h"
#include "preview/PreviewView.h"
#include "tests/support/FakePrompts.h"

#include <QTest>

using namespace lw;

namespace {

const BoxTwips kViewport{120, 120, 9330, 7425, 30}; // inner 9270 x 7365

class NoSurface final : public PreviewSurface {
public:
    void preparePicture1() override {}
    void copyPicture1ToZoomSource() override {}
    void clearPicture1() override {}
    void paintPicture1(int, int, int, int) override {}
    void resetPointer() override {}
    void viewChanged() noexcept override {}
};

struct DragView {
    // A snapshot whose shown size is width x height twips at zoom 1.0.
    DragView(int width, int height) {
        view.pictureLoaded(width + 2, height + 2);
        view.Form_Activate();
    }
    void drag(float fromX, float fromY, float toX, float toY) {
        view.picture1_MouseDown(1, 0, fromX, fromY);
        // The pointer's position is measured inside the moving picture.
        view.picture1_MouseMove(1, 0, toX, toY);
    }
    test::FakePrompts prompts;
    NoSurface surface;
    PreviewView view{surface, {0, 0, 2340, 3435, 0}, kViewport, {10320, 480, 735, 375, 0}};
};

} // namespace

class PreviewDragTest : public QObject {
    Q_OBJECT
private slots:
    void moveWithoutButtonChangesNothing();
    void dragFollowsThePointer();
    void dragStopsAtTheTopLeftCorner();
    void dragStopsAtTheFarEdge();
    void releaseSnapsToTheScrollGrid();
    void clickWithoutMovementSnapsToo();
    void releaseWithoutOverflowGivesZero();
    void pictureThatFitsStaysAtTopLeft();
};

void PreviewDragTest::moveWithoutButtonChangesNothing() {
    DragView d(12240, 10335);
    d.view.picture1_MouseDown(1, 0, 3000, 3000);
    d.view.picture1_MouseMove(0, 0, 1000, 1000);
    QCOMPARE(d.view.picture1().left, 0);
    QCOMPARE(d.view.picture1().top, 0);
}

void PreviewDragTest::dragFollowsThePointer() {
    DragView d(12240, 10335);
    d.drag(3000, 2000, 2000, 1500);
    QCOMPARE(d.view.picture1().left, -1000);
    QCOMPARE(d.view.picture1().top, -500);
    // The next move is measured inside the moved picture: the point pressed
    // (3000, 2000) is now under (3000, 2000) again when the pointer stays.
    d.view.picture1_MouseMove(1, 0, 3000, 2000);
    QCOMPARE(d.view.picture1().left, -1000);
    // Right mouse button drags as well.
    d.view.picture1_MouseMove(2, 0, 2900, 2000);
    QCOMPARE(d.view.picture1().left, -1100);
}

void PreviewDragTest::dragStopsAtTheTopLeftCorner() {
    DragView d(12240, 10335);
    d.view.hScroll1().setValue(100);
    QCOMPARE(d.view.picture1().left, -1000);
    d.drag(3000, 3000, 5000, 2000);
    QCOMPARE(d.view.picture1().left, 0);
    QCOMPARE(d.view.picture1().top, -1000);
    d.drag(3000, 3000, 3000, 5000);
    QCOMPARE(d.view.picture1().top, 0);
}

void PreviewDragTest::dragStopsAtTheFarEdge() {
    DragView d(12240, 10335);
    d.view.hScroll1().setValue(20);
    d.view.vScroll1().setValue(20);
    d.drag(9000, 9000, 0, 0);
    QCOMPARE(d.view.picture1().left, -(12240 - 9270));
    QCOMPARE(d.view.picture1().top, -(10335 - 7365));

    // Past the outer overflow the percentage exceeds 100: the bars keep
    // their values and the picture stays at the edge.
    d.view.Picture1_MouseUp(1, 0, 0, 0);
    QCOMPARE(d.view.hScroll1().value(), 20);
    QCOMPARE(d.view.vScroll1().value(), 20);
    QCOMPARE(d.view.picture1().left, -2970);
    QVERIFY(d.prompts.errors.isEmpty());
}

void PreviewDragTest::releaseSnapsToTheScrollGrid() {
    DragView d(12240, 10335); // outer overflow 2910 across, step 10, Max 291
    QCOMPARE(d.view.hScroll1().max(), 291);
    d.drag(3000, 3000, 1545, 3000);
    QCOMPARE(d.view.picture1().left, -1455);
    d.view.Picture1_MouseUp(1, 0, 1545, 3000);
    QCOMPARE(d.view.hScroll1().value(), 146); // 50 % of 291 = 145.5
    QCOMPARE(d.view.picture1().left, -1460);
    QCOMPARE(d.view.vScroll1().value(), 0);
    QCOMPARE(d.view.picture1().top, 0);
}

void PreviewDragTest::clickWithoutMovementSnapsToo() {
    DragView d(12240, 10335);
    d.view.movePicture1(-1000, 0); // 34.4 % -> 34 %, value 99 (98.94)
    d.view.picture1_MouseDown(1, 0, 500, 500);
    d.view.Picture1_MouseUp(1, 0, 500, 500);
    QCOMPARE(d.view.hScroll1().value(), 99);
    QCOMPARE(d.view.picture1().left, -990);
}

void PreviewDragTest::releaseWithoutOverflowGivesZero() {
    // Exactly the viewport's outer size: no division by zero, no report.
    DragView d(9330, 7425);
    d.drag(5000, 5000, 4970, 4970);
    QCOMPARE(d.view.picture1().left, -30);
    d.view.Picture1_MouseUp(1, 0, 4970, 4970);
    QVERIFY(d.prompts.errors.isEmpty());
    QCOMPARE(d.view.hScroll1().value(), 0);
}

void PreviewDragTest::pictureThatFitsStaysAtTopLeft() {
    DragView d(3000, 2000);
    d.drag(1000, 1000, 900, 900);
    QCOMPARE(d.view.picture1().left, 0);
    QCOMPARE(d.view.picture1().top, 0);
    d.view.Picture1_MouseUp(1, 0, 900, 900);
    QCOMPARE(d.view.picture1().left, 0);
    QVERIFY(d.prompts.errors.isEmpty());
}

QTEST_GUILESS_MAIN(PreviewDragTest)
#include "tst_preview_drag.moc"
