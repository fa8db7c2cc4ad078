// The preview driven like any viewer, without moving a control: the wheel,
// the keys, the picture's menu of pages, and what the picture tells a
// screen reader.
#include "preview/PageNames.h"
#include "shell/Failure.h"
#include "shell/GuardedProcedure.h"
#include "shell/LargeBuffers.h"
#include "ui/BrochurePrinter.h"
#include "ui/ColourActions.h"
#include "ui/Form2.h"
#include "ui/LogoActions.h"
#include "ui/PictureBox.h"
#include "ui/ProfileActions.h"
#include "ui/Twips.h"
#include "wordgen/pdf/PdfPages.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <QWheelEvent>

#include <functional>

namespace lw {
namespace {

// How far one arrow key, and one notch of the wheel, move the picture.
constexpr int kArrowPixels = 40;
constexpr int kWheelNotch = 120; // the wheel's own unit for one notch

} // namespace

void Form2::setUpViewer() {
    const auto bind = [this](std::initializer_list<QKeySequence> keys,
                             const std::function<void()>& action) {
        for (const QKeySequence& key : keys) {
            auto* shortcut = new QShortcut(key, this);
            connect(shortcut, &QShortcut::activated, this, action);
        }
    };
    const int arrow = pixelsToTwips(kArrowPixels);
    bind({QKeySequence(Qt::Key_PageDown), QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
         [this] { showPage(m_page + 1); });
    bind({QKeySequence(Qt::Key_PageUp), QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
         [this] { showPage(m_page - 1); });
    bind({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)},
         [this] { m_view.stepZoomWithinLimit(false); });
    bind({QKeySequence::ZoomOut}, [this] { m_view.stepZoomWithinLimit(true); });
    bind({QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { m_view.resetZoom(); });
    bind({QKeySequence(Qt::Key_Left)}, [this, arrow] { m_view.scrollBy(-arrow, 0); });
    bind({QKeySequence(Qt::Key_Right)}, [this, arrow] { m_view.scrollBy(arrow, 0); });
    bind({QKeySequence(Qt::Key_Up)}, [this, arrow] { m_view.scrollBy(0, -arrow); });
    bind({QKeySequence(Qt::Key_Down)}, [this, arrow] { m_view.scrollBy(0, arrow); });
    bind({QKeySequence(Qt::Key_Home)}, [this] { m_view.scrollToCorner(false); });
    bind({QKeySequence(Qt::Key_End)}, [this] { m_view.scrollToCorner(true); });
    bind({QKeySequence::Save}, [this] { PushButton6_Click(); });
    bind({QKeySequence(Qt::Key_Escape)}, [this] { PushButton8_Click(); });
    m_printer = new BrochurePrinter(this);
    bind({QKeySequence::Print}, [this] { m_printer->print(mWordFile, m_brochureTitle); });

    // The wheel over the picture or the viewport around it.
    for (QWidget* area : {static_cast<QWidget*>(m_picture2), m_picture2->client()})
        area->installEventFilter(this);
    m_picture1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_picture1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showPictureMenu(at); });
    setUpLookActions(this);
    describePicture();
}

bool Form2::viewerWheel(QEvent* event) {
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const QPoint angle = wheel->angleDelta();
    if (wheel->modifiers() & Qt::ControlModifier) {
        if (angle.y() != 0)
            m_view.stepZoomWithinLimit(angle.y() < 0);
        return true;
    }
    // Shift turns the wheel sideways, as in other viewers.
    int across = angle.x();
    int down = angle.y();
    if (wheel->modifiers() & Qt::ShiftModifier) {
        across = across != 0 ? across : down;
        down = 0;
    }
    const int notch = pixelsToTwips(3 * kArrowPixels / 2);
    m_view.scrollBy(-across * notch / kWheelNotch, -down * notch / kWheelNotch);
    return true;
}

void Form2::showPictureMenu(const QPoint& at) {
    QMenu menu(this);
    for (int page = 1; page <= std::max(2, m_pageCount); ++page) {
        QAction* action = menu.addAction(pageName(page));
        action->setCheckable(true);
        action->setChecked(page == m_page);
        action->setEnabled(page <= m_pageCount && !m_view.firstActivate());
        connect(action, &QAction::triggered, this, [this, page] { showPage(page); });
    }
    menu.addSeparator();
    QAction* print = menu.addAction(QStringLiteral("Print…"));
    print->setShortcut(QKeySequence::Print);
    print->setEnabled(!mWordFile.isEmpty() && !m_printer->busy());
    connect(print, &QAction::triggered, this,
            [this] { m_printer->print(mWordFile, m_brochureTitle); });
    addLogoActions(menu, this);
    menu.addSeparator();
    addColourActions(menu, this);
    addProfileActions(menu, this);
    menu.exec(m_picture1->mapToGlobal(at));
}

void Form2::setDocument(const QByteArray& pdf, bool coverLogo) {
    m_coverLogo = coverLogo;
    m_document.clear();
    m_pageCount = 1;
    try {
        if (!pdf.isEmpty()) {
            m_pageCount = std::max(1, PdfPages(pdf).count());
            m_document = pdf;
        }
    } catch (const Failure&) {
        // Without a readable document only the first page can be shown.
    }
    describePicture();
}

QImage Form2::drawPage(int page) const {
    // At the first page's pixels and sharpness, so the view's sizes hold.
    QImage picture = PdfPages(m_document).draw(page, m_firstPage.size());
    picture.setDevicePixelRatio(m_firstPage.devicePixelRatio());
    picture.setDotsPerMeterX(m_firstPage.dotsPerMeterX());
    picture.setDotsPerMeterY(m_firstPage.dotsPerMeterY());
    return picture;
}

void Form2::showPage(int page) {
    if (page == m_page || page < 1 || page > m_pageCount || m_view.firstActivate() ||
        m_firstPage.isNull())
        return;
    GuardedProcedure show(QStringLiteral("Form2"), QStringLiteral("ShowPage"));
    // Only one page is held at full size besides the first.
    show.step(100, [&] {
        m_zoomOri->setPicture(page == 1 ? m_firstPage : drawPage(page));
        m_page = page;
    });
    // The same zoom, from the top left of the new page.
    show.step(102, [&] { m_view.RedrawImage(); });
    describePicture();
}

void Form2::describePicture() {
    const QString description =
        pictureDescription(m_page, m_pageCount, m_view.zoom(), m_page == 1 && m_coverLogo);
    if (description == m_describedAs)
        return;
    m_describedAs = description;
    m_picture1->setAccessibleName(QStringLiteral("Brochure, ") + pageName(m_page));
    m_picture1->setAccessibleDescription(description);
    m_picture1->setToolTip(description + u'\n' + toolTip());
}

void Form2::releasePictures() {
    m_picture1->clearPicture();
    m_zoomOri->clearPicture();
    m_paintedAt.reset();
    m_firstPage = QImage();
    m_document.clear();
    m_page = 1;
    m_pageCount = 1;
    m_coverLogo = false;
    returnFreedMemoryToTheSystem();
}

} // namespace lw
