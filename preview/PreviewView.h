#pragma once

#include "preview/BoxTwips.h"
#include "preview/ScrollBarModel.h"

#include <QtGlobal>

namespace lw {

class GuardedProcedure;
class PreviewSurface;

// The preview's view: where the page picture sits in the viewport, at which
// zoom, and what the two scroll bars say. All of it in twips, without
// widgets; the window mirrors this state onto its controls and hands its
// events to the procedures below.
class PreviewView {
public:
    // The three picture boxes as designed: Picture1 inside the viewport
    // Picture2, and the hidden zoom source Zoom_Ori.
    PreviewView(PreviewSurface& surface, const BoxTwips& picture, const BoxTwips& viewport,
                const BoxTwips& zoomSource);
    PreviewView(const PreviewView&) = delete;
    PreviewView& operator=(const PreviewView&) = delete;

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

    BoxTwips picture1; // in picture2's inner coordinates
    BoxTwips picture2; // the viewport
    BoxTwips zoomOri;  // the unscaled zoom source, never shown
    ScrollBarModel hScroll1;
    ScrollBarModel vScroll1;

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

private:
    void prepareView(GuardedProcedure& procedure);
    void readBaseSize();

    PreviewSurface& m_surface;
};

} // namespace lw
