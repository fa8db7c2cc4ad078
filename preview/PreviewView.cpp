#include "preview/PreviewView.h"

#include "preview/PreviewSurface.h"
#include "preview/ViewRounding.h"
#include "preview/ZoomSteps.h"
#include "shell/GuardedProcedure.h"

#include <algorithm>
#include <cmath>

namespace lw {
namespace {

const QString kForm2 = QStringLiteral("Form2");

// One direction of the scroll set-up. The overflow is measured against the
// viewport's outer size; up to 100 twips scroll one twip per unit, more
// scroll ten twips per unit.
void setupScrollbar(ScrollBarModel& bar, qint16& step, int pictureSize, int viewportSize) {
    const int over = pictureSize - viewportSize;
    if (pictureSize <= viewportSize) {
        bar.setEnabled(false);
        step = 0;
        return;
    }
    bar.setEnabled(true);
    if (float(over) <= 100.0f) {
        bar.setMax(int(roundHalfEven(over)));
        step = 1;
    } else {
        bar.setMax(int(roundHalfEven(over / 10.0)));
        step = 10;
    }
    bar.setValue(0);
}

} // namespace

PreviewView::Change::Change(PreviewView& view) : m_view(view) {
    ++m_view.m_openChanges;
}

PreviewView::Change::~Change() {
    if (--m_view.m_openChanges == 0)
        m_view.m_surface.viewChanged();
}

PreviewView::PreviewView(PreviewSurface& surface, const BoxTwips& picture, const BoxTwips& viewport,
                         const BoxTwips& zoomSource)
    : m_picture1(picture), m_picture2(viewport), m_zoomOri(zoomSource), m_surface(surface) {
    m_hScroll1.onChange([this] { HScroll1_Change(); });
    m_vScroll1.onChange([this] { VScroll1_Change(); });
    // A bar changed from outside is a change of the view too; a new value
    // is announced by its change handler.
    m_hScroll1.onOtherChange([this] { const Change change(*this); });
    m_vScroll1.onOtherChange([this] { const Change change(*this); });
}

void PreviewView::Form_Load() {
    const Change change(*this);
    mFirstActivate = true;
}

void PreviewView::pictureLoaded(int widthTwips, int heightTwips) {
    const Change change(*this);
    m_picture1.width = widthTwips + 2 * m_picture1.border;
    m_picture1.height = heightTwips + 2 * m_picture1.border;
    // Every snapshot gets a fresh view: zoom source, sizes, zoom and ranges.
    mFirstActivate = true;
}

void PreviewView::movePicture1(int left, int top) {
    const Change change(*this);
    m_picture1.left = left;
    m_picture1.top = top;
}

void PreviewView::Form_Activate() {
    const Change change(*this);
    GuardedProcedure activate(kForm2, QStringLiteral("Form_Activate"));
    if (activate.condition(100, [&] { return mFirstActivate; }))
        prepareView(activate);
    activate.step(116, [&] { mFirstActivate = false; });
}

void PreviewView::prepareView(GuardedProcedure& activate) {
    activate.step(102, [&] { m_surface.preparePicture1(); });
    activate.step(104, [&] {
        m_zoomOri.width = m_picture1.width;
        m_zoomOri.height = m_picture1.height;
        m_surface.copyPicture1ToZoomSource();
    });
    activate.step(106, [&] { mZoom = 1.0f; });
    activate.step(108, [&] { readBaseSize(); });
    activate.step(110, [&] {
        mViewWidth = mBaseWidth;
        mViewHeight = mBaseHeight;
    });
    activate.step(112, [&] { RedrawImage(); });
    activate.step(114, [&] { SetupScrollbars(); });
}

void PreviewView::readBaseSize() {
    mBaseWidth = qint32(roundHalfEven(m_zoomOri.scaleWidth() - 2));
    mBaseHeight = qint32(roundHalfEven(m_zoomOri.scaleHeight() - 2));
}

void PreviewView::RedrawImage() {
    const Change change(*this);
    GuardedProcedure redraw(kForm2, QStringLiteral("RedrawImage"));
    redraw.step(100, [&] {
        mViewWidth = qint32(std::floor(double(mBaseWidth) * double(mZoom)));
        mViewHeight = qint32(std::floor(double(mBaseHeight) * double(mZoom)));
    });
    // Beyond the size limit the zoom falls back to 1.0, and the picture is
    // painted again at that size below, so what is shown matches mZoom.
    redraw.step(102, [&] {
        if (exceedsViewLimit(mViewWidth, mViewHeight)) {
            mZoom = 1.0f;
            readBaseSize();
            mViewWidth = mBaseWidth;
            mViewHeight = mBaseHeight;
        }
    });
    redraw.step(104, [&] { m_surface.clearPicture1(); });
    redraw.step(106, [&] {
        m_picture1.width = std::max(0, mViewWidth);
        m_picture1.height = std::max(0, mViewHeight);
    });
    redraw.step(108,
                [&] { m_surface.paintPicture1(mViewWidth, mViewHeight, mBaseWidth, mBaseHeight); });
    redraw.step(110, [&] { m_surface.resetPointer(); });
    redraw.step(112, [&] {
        m_hScroll1.setValue(0);
        m_vScroll1.setValue(0);
    });
    redraw.step(114, [&] {
        m_hScroll1.setEnabled(m_picture2.scaleWidth() < mViewWidth);
        m_vScroll1.setEnabled(m_picture2.scaleHeight() < mViewHeight);
    });
    // Ranges and steps always describe the picture now shown, so scrolling
    // and dragging reach every part of it at any zoom.
    redraw.step(116, [&] { SetupScrollbars(); });
}

void PreviewView::SetupScrollbars() {
    const Change change(*this);
    m_picture1.top = 0;
    m_picture1.left = 0;
    setupScrollbar(m_hScroll1, mHStep, m_picture1.width, m_picture2.width);
    setupScrollbar(m_vScroll1, mVStep, m_picture1.height, m_picture2.height);
}

// The offsets are computed in 32 bits: step x value never exceeds the
// picture's overflow, which may well pass 32767 twips for a large snapshot.
void PreviewView::HScroll1_Change() {
    const Change change(*this);
    m_picture1.left = -(int(mHStep) * m_hScroll1.value());
}

void PreviewView::VScroll1_Change() {
    const Change change(*this);
    m_picture1.top = -(int(mVStep) * m_vScroll1.value());
}

void PreviewView::PushButton1_Click() {
    const Change change(*this);
    GuardedProcedure click(kForm2, QStringLiteral("PushButton1_Click"));
    click.step(100, [&] { StepZoom(0); });
}

void PreviewView::PushButton2_Click() {
    const Change change(*this);
    GuardedProcedure click(kForm2, QStringLiteral("PushButton2_Click"));
    click.step(100, [&] { StepZoom(1); });
}

void PreviewView::StepZoom(qint32 zoomOut) {
    const Change change(*this);
    float candidate = zoomOut == 0 ? mZoom + kZoomStep : mZoom - kZoomStep;
    SetZoom(candidate);
}

void PreviewView::SetZoom(float& newZoom) {
    const Change change(*this);
    if (newZoom >= kMinZoom && newZoom <= kMaxZoom) {
        mZoom = newZoom;
        RedrawImage();
    }
}

void PreviewView::SetHScrollbarByPercent(ScrollBarModel& HScrollbar, qint16 percent) {
    const Change change(*this);
    if (percent < 0 || percent > 100)
        return;
    const double value = (percent / 100.0) * HScrollbar.max();
    if (value <= HScrollbar.max())
        HScrollbar.setValue(int(roundHalfEven(value)));
}

void PreviewView::SetVScrollbarByPercent(ScrollBarModel& VScrollbar, qint16 percent) {
    const Change change(*this);
    if (percent < 0 || percent > 100)
        return;
    VScrollbar.setValue(int(roundHalfEven((percent / 100.0) * VScrollbar.max())));
}

} // namespace lw
