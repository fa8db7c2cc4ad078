// View arithmetic of the preview: preparation, redraw and its size limit,
// scroll set-up, change handlers, zoom steps and the percent procedures.
#include "preview/PreviewSurface.h"
#include "preview/PreviewView.h"
#include "tests/support/FakePrompts.h"

#include <QTest>

#include <set>
#include <stdexcept>

using namespace lw;

namespace {

const BoxTwips kViewport{120, 120, 9330, 7425, 30};
const BoxTwips kPictureDesign{0, 0, 2340, 3435, 0};
const BoxTwips kZoomDesign{10320, 480, 735, 375, 0};

struct Paint {
    int width, height, sourceWidth, sourceHeight;
};

class FakeSurface final : public PreviewSurface {
public:
    void preparePicture1() override { calls << QStringLiteral("prepare"); }
    void copyPicture1ToZoomSource() override { calls << QStringLiteral("zoom source"); }
    void clearPicture1() override { calls << QStringLiteral("clear"); }
    void paintPicture1(int width, int height, int sourceWidth, int sourceHeight) override {
        if (failPaint)
            throw std::runtime_error("paint failed");
        paints.push_back({width, height, sourceWidth, sourceHeight});
    }
    void resetPointer() override { calls << QStringLiteral("pointer"); }
    void viewChanged() noexcept override {
        if (view)
            shown.push_back({view->picture1(), view->hScroll1().value(), view->hScroll1().max(),
                             view->hScroll1().enabled()});
    }

    // What the window would show at each notification.
    struct Shown {
        BoxTwips picture;
        int hValue, hMax;
        bool hEnabled;
    };
    const PreviewView* view = nullptr;
    std::vector<Shown> shown;
    QStringList calls;
    std::vector<Paint> paints;
    bool failPaint = false;
};

// A view whose snapshot (as loaded into Picture1) is width x height twips,
// prepared as at the window's activation.
struct PreparedView {
    PreparedView(int width, int height) {
        view.pictureLoaded(width, height);
        view.Form_Activate();
    }
    test::FakePrompts prompts;
    FakeSurface surface;
    PreviewView view{surface, kPictureDesign, kViewport, kZoomDesign};
};

} // namespace

class PreviewViewTest : public QObject {
    Q_OBJECT
private slots:
    void preparationTakesTheSnapshotAtZoomOne();
    void aNewSnapshotIsPreparedAgain();
    void zoomStepsThroughSixteenFactorsAndStopsAtTheEnds();
    void scrollSetupFromOverflow_data();
    void scrollSetupFromOverflow();
    void scrollSetupFollowsEveryRedraw();
    void changeHandlersMoveThePicture();
    void largeOffsetsDoNotOverflow();
    void percentProcedures_data();
    void percentProcedures();
    void sizeLimitFallsBackToZoomOneAndRepaints_data();
    void sizeLimitFallsBackToZoomOneAndRepaints();
    void aFailingPaintIsReportedAndTheRedrawGoesOn();
    void theSurfaceHearsOfEveryChangeOnceAndWhole();
};

void PreviewViewTest::preparationTakesTheSnapshotAtZoomOne() {
    PreparedView v(3000, 2250);
    QCOMPARE(v.view.zoomOri().width, 3000);
    QCOMPARE(v.view.zoomOri().height, 2250);
    QCOMPARE(v.view.baseWidth(), 2998);
    QCOMPARE(v.view.baseHeight(), 2248);
    QCOMPARE(v.view.zoom(), 1.0f);
    QCOMPARE(v.view.picture1().width, 2998);
    QCOMPARE(v.view.picture1().height, 2248);
    QVERIFY(!v.view.firstActivate());
    QCOMPARE(v.surface.calls.mid(0, 3), (QStringList{"prepare", "zoom source", "clear"}));
    QCOMPARE(v.surface.paints.size(), std::size_t(1));
    QCOMPARE(v.surface.paints[0].sourceWidth, 2998);
    QVERIFY(v.prompts.errors.isEmpty());

    // A later activation leaves the view alone.
    v.view.Form_Activate();
    QCOMPARE(v.surface.paints.size(), std::size_t(1));
}

void PreviewViewTest::aNewSnapshotIsPreparedAgain() {
    PreparedView v(3000, 2250);
    v.view.PushButton1_Click();
    v.view.hScroll1().setValue(0);
    QCOMPARE(v.view.zoom(), 1.25f);

    v.view.pictureLoaded(12242, 10337);
    QVERIFY(v.view.firstActivate());
    v.view.Form_Activate();
    QCOMPARE(v.view.zoom(), 1.0f);
    QCOMPARE(v.view.baseWidth(), 12240);
    QCOMPARE(v.view.baseHeight(), 10335);
    QCOMPARE(v.view.hScroll1().max(), 291);
    QCOMPARE(v.view.hStep(), qint16(10));
}

void PreviewViewTest::zoomStepsThroughSixteenFactorsAndStopsAtTheEnds() {
    PreparedView v(3000, 2250);
    std::set<float> seen{v.view.zoom()};
    for (int i = 0; i < 20; ++i) {
        v.view.PushButton1_Click();
        seen.insert(v.view.zoom());
    }
    QCOMPARE(v.view.zoom(), 4.0f);
    QCOMPARE(v.view.viewWidth(), 11992);
    const std::size_t paintsAtMax = v.surface.paints.size();
    v.view.PushButton1_Click();
    QCOMPARE(v.view.zoom(), 4.0f);
    QCOMPARE(v.surface.paints.size(), paintsAtMax);

    for (int i = 0; i < 20; ++i) {
        v.view.PushButton2_Click();
        seen.insert(v.view.zoom());
    }
    QCOMPARE(v.view.zoom(), 0.25f);
    QCOMPARE(v.view.viewWidth(), 749); // floor(2998 x 0.25)
    const std::size_t paintsAtMin = v.surface.paints.size();
    v.view.PushButton2_Click();
    QCOMPARE(v.view.zoom(), 0.25f);
    QCOMPARE(v.surface.paints.size(), paintsAtMin);

    QCOMPARE(seen.size(), std::size_t(16));
    float expected = 0.25f;
    for (float zoom : seen) {
        QVERIFY(zoom == expected);
        expected += 0.25f;
    }
    QVERIFY(v.prompts.errors.isEmpty());
}

void PreviewViewTest::scrollSetupFromOverflow_data() {
    QTest::addColumn<int>("overflow");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("max");
    QTest::newRow("fits") << 0 << false << 0 << 0;
    QTest::newRow("1") << 1 << true << 1 << 1;
    QTest::newRow("100") << 100 << true << 1 << 100;
    QTest::newRow("101") << 101 << true << 10 << 10;
    QTest::newRow("105 half to even") << 105 << true << 10 << 10;
    QTest::newRow("115 half to even") << 115 << true << 10 << 12;
    QTest::newRow("2910") << 2910 << true << 10 << 291;
}

void PreviewViewTest::scrollSetupFromOverflow() {
    QFETCH(int, overflow);
    QFETCH(bool, enabled);
    QFETCH(int, step);
    QFETCH(int, max);
    FakeSurface surface;
    PreviewView view(surface, kPictureDesign, kViewport, kZoomDesign);
    view.pictureLoaded(kViewport.width + overflow, kViewport.height + overflow);
    view.movePicture1(-40, -50);
    view.SetupScrollbars();
    QCOMPARE(view.picture1().left, 0);
    QCOMPARE(view.picture1().top, 0);
    for (const auto& [bar, barStep] :
         {std::pair{&view.hScroll1(), view.hStep()}, std::pair{&view.vScroll1(), view.vStep()}}) {
        QCOMPARE(bar->enabled(), enabled);
        QCOMPARE(int(barStep), step);
        QCOMPARE(bar->max(), max);
        QCOMPARE(bar->value(), 0);
    }
}

void PreviewViewTest::scrollSetupFollowsEveryRedraw() {
    // Fits the viewport at 1.0; at 2.0 it overflows and must scroll.
    PreparedView v(6000, 4000);
    QCOMPARE(v.view.hStep(), qint16(0));
    QVERIFY(!v.view.hScroll1().enabled());
    v.view.hScroll1().setValue(0);

    float zoom = 2.0f;
    v.view.SetZoom(zoom);
    QCOMPARE(v.view.viewWidth(), 11996);
    QVERIFY(v.view.hScroll1().enabled());
    QCOMPARE(v.view.hStep(), qint16(10));
    QCOMPARE(v.view.hScroll1().max(), 267); // (11996 - 9330) / 10 = 266.6
    QCOMPARE(v.view.vScroll1().max(), 57);  // (7996 - 7425) / 10 = 57.1

    // Back to 1.0: the bars describe the fitting picture again.
    zoom = 1.0f;
    v.view.SetZoom(zoom);
    QVERIFY(!v.view.hScroll1().enabled());
    QCOMPARE(v.view.hStep(), qint16(0));
    QCOMPARE(v.view.hScroll1().value(), 0);
}

void PreviewViewTest::changeHandlersMoveThePicture() {
    PreparedView v(12242, 10337);
    v.view.hScroll1().setValue(100);
    QCOMPARE(v.view.picture1().left, -1000);
    v.view.vScroll1().setValue(291);
    QCOMPARE(v.view.picture1().top, -2910);

    // Setting the value a bar already has runs no handler.
    v.view.movePicture1(-333, v.view.picture1().top);
    v.view.hScroll1().setValue(100);
    QCOMPARE(v.view.picture1().left, -333);

    // A redraw puts both bars and the picture back at 0.
    v.view.RedrawImage();
    QCOMPARE(v.view.hScroll1().value(), 0);
    QCOMPARE(v.view.picture1().left, 0);
    QCOMPARE(v.view.picture1().top, 0);
}

void PreviewViewTest::largeOffsetsDoNotOverflow() {
    // 6000 px wide: far beyond the size limit, shown at 1.0.
    PreparedView v(90000, 60000);
    QCOMPARE(v.view.zoom(), 1.0f);
    QCOMPARE(v.view.hScroll1().max(), 8067); // (89998 - 9330) / 10 = 8066.8
    v.view.hScroll1().setValue(v.view.hScroll1().max());
    QCOMPARE(v.view.picture1().left, -80670);
    v.view.SetVScrollbarByPercent(v.view.vScroll1(), 100);
    QCOMPARE(v.view.picture1().top, -10 * v.view.vScroll1().max());
    QVERIFY(v.view.picture1().top < -32768);
}

void PreviewViewTest::percentProcedures_data() {
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("left");
    QTest::newRow("-1 ignored") << -1 << 7 << -70;
    QTest::newRow("101 ignored") << 101 << 7 << -70;
    QTest::newRow("0") << 0 << 0 << 0;
    QTest::newRow("50 of 291") << 50 << 146 << -1460;
    QTest::newRow("100") << 100 << 291 << -2910;
}

void PreviewViewTest::percentProcedures() {
    QFETCH(int, percent);
    QFETCH(int, value);
    QFETCH(int, left);
    PreparedView v(12242, 10337);
    QCOMPARE(v.view.hScroll1().max(), 291);
    QCOMPARE(v.view.vScroll1().max(), 291);
    v.view.hScroll1().setValue(7);
    v.view.vScroll1().setValue(7);
    v.view.SetHScrollbarByPercent(v.view.hScroll1(), qint16(percent));
    v.view.SetVScrollbarByPercent(v.view.vScroll1(), qint16(percent));
    QCOMPARE(v.view.hScroll1().value(), value);
    QCOMPARE(v.view.vScroll1().value(), value);
    QCOMPARE(v.view.picture1().left, left);
    QCOMPARE(v.view.picture1().top, left);
}

void PreviewViewTest::sizeLimitFallsBackToZoomOneAndRepaints_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    // 11200 x 1.25 = 14000 wide; 8320 x 1.25 = 10400 high.
    QTest::newRow("width") << 11202 << 3002;
    QTest::newRow("height") << 3002 << 8322;
}

void PreviewViewTest::sizeLimitFallsBackToZoomOneAndRepaints() {
    QFETCH(int, width);
    QFETCH(int, height);
    PreparedView v(width, height);
    v.view.hScroll1().setValue(v.view.hScroll1().max());
    v.surface.paints.clear();

    v.view.PushButton1_Click();
    QCOMPARE(v.view.zoom(), 1.0f);
    QCOMPARE(v.view.viewWidth(), width - 2);
    QCOMPARE(v.view.viewHeight(), height - 2);
    // Painted again at 1.0, with bars and picture matching it.
    QCOMPARE(v.surface.paints.size(), std::size_t(1));
    QCOMPARE(v.surface.paints[0].width, width - 2);
    QCOMPARE(v.surface.paints[0].height, height - 2);
    QCOMPARE(v.view.picture1().width, width - 2);
    QCOMPARE(v.view.picture1().left, 0);
    QCOMPARE(v.view.hScroll1().value(), 0);

    // The next Zoom In tries 1.25 again, not 1.5.
    v.view.PushButton1_Click();
    QCOMPARE(v.view.zoom(), 1.0f);
    v.view.PushButton2_Click();
    QCOMPARE(v.view.zoom(), 0.75f);
    QVERIFY(v.prompts.errors.isEmpty());
}

void PreviewViewTest::aFailingPaintIsReportedAndTheRedrawGoesOn() {
    PreparedView v(12242, 10337);
    v.view.hScroll1().setValue(50);
    v.surface.failPaint = true;
    v.surface.calls.clear();
    v.view.PushButton2_Click();

    QCOMPARE(v.prompts.errors.size(), 1);
    QVERIFY(v.prompts.errors[0].startsWith(
        "paint failed\r\nin Leafwright2021/08/31.Form2.RedrawImage at line 108\r\r"));
    // The rest of the redraw still ran: new size, pointer, bars, set-up.
    QCOMPARE(v.surface.calls, QStringList({"clear", "pointer"}));
    QCOMPARE(v.view.zoom(), 0.75f);
    QCOMPARE(v.view.picture1().width, 9180);
    QCOMPARE(v.view.hScroll1().value(), 0);
    QVERIFY(!v.view.hScroll1().enabled());
    QCOMPARE(v.view.hStep(), qint16(0));
    QCOMPARE(v.view.picture1().left, 0);
}

void PreviewViewTest::theSurfaceHearsOfEveryChangeOnceAndWhole() {
    PreparedView v(12242, 10337);
    v.surface.view = &v.view;
    const auto shownNow = [&] {
        QVERIFY(!v.surface.shown.empty());
        const FakeSurface::Shown& last = v.surface.shown.back();
        QCOMPARE(last.picture.left, v.view.picture1().left);
        QCOMPARE(last.picture.top, v.view.picture1().top);
        QCOMPARE(last.picture.width, v.view.picture1().width);
        QCOMPARE(last.picture.height, v.view.picture1().height);
        QCOMPARE(last.hValue, v.view.hScroll1().value());
        QCOMPARE(last.hMax, v.view.hScroll1().max());
        QCOMPARE(last.hEnabled, v.view.hScroll1().enabled());
    };
    // A zoom step redraws, resets the bars and sets them up again inside:
    // one notification, with the final state.
    v.view.PushButton1_Click();
    QCOMPARE(v.surface.shown.size(), std::size_t(1));
    shownNow();
    // A bar set from outside, and its change handler moving the picture.
    v.view.hScroll1().setValue(40);
    QCOMPARE(v.surface.shown.size(), std::size_t(2));
    shownNow();
    // No change, no notification.
    v.view.hScroll1().setValue(40);
    QCOMPARE(v.surface.shown.size(), std::size_t(2));
    // A drag move, a release and a new snapshot.
    v.view.picture1_MouseDown(1, 0, 3000, 3000);
    v.view.picture1_MouseMove(1, 0, 2000, 2500);
    v.view.Picture1_MouseUp(1, 0, 2000, 2500);
    QCOMPARE(v.surface.shown.size(), std::size_t(5));
    shownNow();
    v.view.pictureLoaded(3000, 2250);
    v.view.Form_Activate();
    QCOMPARE(v.surface.shown.size(), std::size_t(7));
    shownNow();
    // A failing paint still ends with the surface told.
    v.surface.failPaint = true;
    v.view.PushButton1_Click();
    QCOMPARE(v.surface.shown.size(), std::size_t(8));
    shownNow();
    QCOMPARE(v.prompts.errors.size(), 1);
}

QTEST_GUILESS_MAIN(PreviewViewTest)
#include "tst_preview_view.moc"
