// Moving about the picture as in any viewer: by keys and the wheel, beside
// the zoom buttons, the scroll bars and dragging.
#include "preview/PreviewView.h"
#include "preview/ZoomSteps.h"

#include <algorithm>
#include <cmath>

namespace lw {
namespace {

// A bar moved by about distance twips: at least one of its units, never
// past its ends. A bar that cannot scroll stays.
void moveBar(ScrollBarModel& bar, qint16 step, int distance) {
    if (distance == 0 || step <= 0 || !bar.enabled())
        return;
    const int units = distance > 0 ? std::max(1, distance / step) : std::min(-1, distance / step);
    bar.setValue(std::clamp(bar.value() + units, 0, bar.max()));
}

} // namespace

void PreviewView::scrollBy(int dxTwips, int dyTwips) {
    const Change change(*this);
    moveBar(m_hScroll1, mHStep, dxTwips);
    moveBar(m_vScroll1, mVStep, dyTwips);
}

void PreviewView::scrollToCorner(bool farCorner) {
    const Change change(*this);
    for (ScrollBarModel* bar : {&m_hScroll1, &m_vScroll1})
        if (bar->enabled())
            bar->setValue(farCorner ? bar->max() : 0);
}

bool PreviewView::canStepZoom(bool zoomOut) const {
    const float candidate = zoomOut ? mZoom - kZoomStep : mZoom + kZoomStep;
    if (candidate < kMinZoom || candidate > kMaxZoom)
        return false;
    return !exceedsViewLimit(int(std::floor(double(mBaseWidth) * double(candidate))),
                             int(std::floor(double(mBaseHeight) * double(candidate))));
}

void PreviewView::stepZoomWithinLimit(bool zoomOut) {
    if (mFirstActivate || !canStepZoom(zoomOut))
        return;
    if (zoomOut)
        PushButton2_Click();
    else
        PushButton1_Click();
}

void PreviewView::resetZoom() {
    if (mFirstActivate || mZoom == 1.0f)
        return;
    float one = 1.0f;
    SetZoom(one);
}

} // namespace lw
