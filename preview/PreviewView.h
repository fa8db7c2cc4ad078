#pragma once

#include "preview/BoxTwips.h"
#include "preview/ScrollBarModel.h"

#include <QtGlobal>

namespace lw {

class GuardedProcedure;
class PreviewSurface;

// The preview's view: where the page picture sits in the viewport, at which
// zoom, and what the two scroll bars say. All of it in twips, without
// widgets. The window hands its events to the procedures below; after every
// call that may have changed the state, and after any change of a scroll
// bar, the view tells its surface once (PreviewSurface::viewChanged), so
// what is on screen never lags behind.
class PreviewView {
public:
    // The three picture boxes as designed: Picture1 inside the viewport
    // Picture2, and the hidden zoom source Zoom_Ori.
    PreviewView(PreviewSurface& surface, const BoxTwips& picture, const BoxTwips& viewport,
                const BoxTwips& zoomSource);
    PreviewView(const PreviewView&) = delete;
    PreviewView& operator=(const PreviewView&) = delete;

    // The window was loaded: the view is prepared at its first activation.
    void Form_Load();
    // A new snapshot arrived in Picture1 (which takes its size); the view is
    // prepared for it at the next activation.
    void pictureLoaded(int widthTwips, int heightTwips);

    void Form_Activate();
    void RedrawImage();
    void SetupScrollbars();
    void HScroll1_Change();
    void VScroll1_Change();
    void PushButton1_Click();
    void PushButton2_Click();
    void StepZoom(qint32 zoomOut);
    void SetZoom(float& newZoom);
    void SetHScrollbarByPercent(ScrollBarModel& HScrollbar, qint16 percent);
    void SetVScrollbarByPercent(ScrollBarModel& VScrollbar, qint16 percent);

    // Drag to pan. Buttons and shift keys are masks (left 1, right 2,
    // middle 4); X and Y are in Picture1's own twips.
    void picture1_MouseDown(int button, int shift, float x, float y);
    void picture1_MouseMove(int button, int shift, float x, float y);
    void Picture1_MouseUp(int button, int shift, float x, float y);

    // As in any viewer, beside the buttons and bars. The picture moves by
    // about the given twips through the bars, never past their ends; or to
    // its top-left corner, or its far (bottom-right) one.
    void scrollBy(int dxTwips, int dyTwips);
    void scrollToCorner(bool farCorner);
    // One zoom step as the buttons make it, but only when the new factor is
    // in range and below the size limit (where the buttons' step would send
    // the zoom back to 1.0): a wheel turned on never jumps back.
    bool canStepZoom(bool zoomOut) const;
    void stepZoomWithinLimit(bool zoomOut);
    // The snapshot's own size again.
    void resetZoom();

    // Puts Picture1's top-left corner at (left, top) of the viewport's inner
    // area, as a drag does; its size stays.
    void movePicture1(int left, int top);

    const BoxTwips& picture1() const { return m_picture1; } // in Picture2's inner coordinates
    const BoxTwips& picture2() const { return m_picture2; } // the viewport
    const BoxTwips& zoomOri() const { return m_zoomOri; }   // the unscaled zoom source
    // The bars as the user sets them: a new value runs the change handler,
    // and every change reaches the surface.
    ScrollBarModel& hScroll1() { return m_hScroll1; }
    ScrollBarModel& vScroll1() { return m_vScroll1; }
    const ScrollBarModel& hScroll1() const { return m_hScroll1; }
    const ScrollBarModel& vScroll1() const { return m_vScroll1; }

    float zoom() const { return mZoom; }
    qint16 hStep() const { return mHStep; }
    qint16 vStep() const { return mVStep; }
    qint32 baseWidth() const { return mBaseWidth; }
    qint32 baseHeight() const { return mBaseHeight; }
    qint32 viewWidth() const { return mViewWidth; }
    qint32 viewHeight() const { return mViewHeight; }
    bool firstActivate() const { return mFirstActivate; }

private:
    // Open while a call runs; the outermost one tells the surface at its end,
    // so nested calls (a redraw inside a zoom, a change handler inside a
    // redraw) make one notification, after the state is whole again.
    class Change {
    public:
        explicit Change(PreviewView& view);
        ~Change();
        Change(const Change&) = delete;
        Change& operator=(const Change&) = delete;

    private:
        PreviewView& m_view;
    };

    void prepareView(GuardedProcedure& procedure);
    void readBaseSize();

    BoxTwips m_picture1;
    BoxTwips m_picture2;
    BoxTwips m_zoomOri;
    ScrollBarModel m_hScroll1;
    ScrollBarModel m_vScroll1;

    float mDragX = 0;
    float mDragY = 0;
    qint16 mHStep = 0;
    qint16 mVStep = 0;
    qint32 mBaseWidth = 0;
    qint32 mBaseHeight = 0;
    qint32 mViewWidth = 0;
    qint32 mViewHeight = 0;
    float mZoom = 1.0f;
    bool mFirstActivate = true;

    PreviewSurface& m_surface;
    int m_openChanges = 0;
};

} // namespace lw
