#include "ui/Form2.h"
#include "ui/LogoActions.h"

#include "preview/PictureScaling.h"
#include "preview/PreviewExit.h"
#include "preview/SaveResults.h"
#include "shell/AppInfo.h"
#include "shell/DataFiles.h"
#include "shell/Failure.h"
#include "shell/FileRoutines.h"
#include "shell/GuardedProcedure.h"
#include "shell/ProgramEnd.h"
#include "ui/Colours.h"
#include "ui/CursorFile.h"
#include "ui/FixedWindow.h"
#include "ui/Form2Layout.h"
#include "ui/HoverPointerRule.h"
#include "ui/MainWindow.h"
#include "ui/PictureBox.h"
#include "ui/PushButtonStyle.h"
#include "ui/Twips.h"
#include "wordgen/PdfExport.h"
#include "wordgen/PrintShopExport.h"
#include "wordgen/pdf/PdfPages.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWindow>

#include <cmath>

namespace lw {
namespace {

Form2* g_instance = nullptr;

QRect layoutRect(const form2::Box& box) {
    return twipsRect(box.left, box.top, box.width, box.height);
}

QFont pictureBoxFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    return font;
}

// Mouse buttons and shift keys as the handlers take them: masks of 1, 2, 4.
int buttonMask(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftMask(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

QScrollBar* makeScrollBar(QWidget* parent, Qt::Orientation orientation, const form2::Box& box,
                          int tabIndex) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setGeometry(layoutRect(box));
    bar->setRange(0, 0);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setFocusPolicy(Qt::TabFocus);
    bar->setProperty("TabIndex", tabIndex);
    return bar;
}

void mirrorScrollBar(QScrollBar* bar, const ScrollBarModel& model) {
    const QSignalBlocker quiet(bar);
    // A disabled bar keeps its Max in the view but draws no thumb, as a
    // fresh window's bars do.
    bar->setRange(0, model.enabled() ? model.max() : 0);
    bar->setValue(model.value());
    bar->setEnabled(model.enabled());
}

} // namespace

Form2::Form2(QWidget* parent)
    : QWidget(parent), m_view(*this, form2::kPicture1, form2::kPicture2, form2::kZoom_Ori) {
    setWindowTitle(QStringLiteral("Form2"));
    setUpFixedWindow(this, form2::kClientWidth, form2::kClientHeight);
    buildControls();
    setUpViewer();
    LogoDrop::acceptOn(this);
    Form_Load();
}

Form2::~Form2() {
    if (g_instance == this)
        g_instance = nullptr;
}

Form2& Form2::instance() {
    if (!g_instance) {
        g_instance = new Form2();
        // However the program ends (a termination signal included), the
        // working document the preview holds does not stay behind.
        addShutdownStep([] {
            if (g_instance)
                DeleteFileQuietly(g_instance->mWordFile);
        });
    }
    return *g_instance;
}

bool Form2::isLoaded() {
    return g_instance != nullptr;
}

void Form2::buildControls() {
    m_zoomOri = new PictureBox(this, form2::kZoom_Ori);
    m_zoomOri->setObjectName(QStringLiteral("Zoom_Ori"));
    m_zoomOri->setProperty("TabIndex", form2::kZoom_OriTabIndex);
    setBackColour(m_zoomOri, kWhite);
    m_zoomOri->hide();

    m_frame1 = new QGroupBox(QStringLiteral("Zoom:"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setGeometry(layoutRect(form2::kFrame1));
    m_frame1->setProperty("TabIndex", form2::kFrame1TabIndex);
    setBackColour(m_frame1, kWhite);
    m_frame1->setMouseTracking(true);
    m_frame1->installEventFilter(this);

    const auto button = [this](QWidget* parent, const form2::ButtonLayout& layout, int tabIndex) {
        QPushButton* b = makePushButton(parent, layout.caption, layout.box.left, layout.box.top,
                                        layout.box.width, layout.box.height);
        b->setProperty("TabIndex", tabIndex);
        b->installEventFilter(this);
        return b;
    };
    m_pushButton1 = button(m_frame1, form2::kPushButton1, form2::kPushButton1TabIndex);
    m_pushButton2 = button(m_frame1, form2::kPushButton2, form2::kPushButton2TabIndex);

    m_picture2 = new PictureBox(this, form2::kPicture2);
    m_picture2->setObjectName(QStringLiteral("Picture2"));
    m_picture2->setProperty("TabIndex", form2::kPicture2TabIndex);
    m_picture2->setFont(pictureBoxFont());
    setBackColour(m_picture2, kWhite);

    m_picture1 = new PictureBox(m_picture2->client(), form2::kPicture1);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setProperty("TabIndex", form2::kPicture1TabIndex);
    m_picture1->setFont(pictureBoxFont());
    setBackColour(m_picture1, kWindowBackground);
    m_picture1->installEventFilter(this);

    m_vScroll1 = makeScrollBar(this, Qt::Vertical, form2::kVScroll1, form2::kVScroll1TabIndex);
    m_vScroll1->setObjectName(QStringLiteral("VScroll1"));
    m_hScroll1 = makeScrollBar(this, Qt::Horizontal, form2::kHScroll1, form2::kHScroll1TabIndex);
    m_hScroll1->setObjectName(QStringLiteral("HScroll1"));

    m_pushButton6 = button(this, form2::kPushButton6, form2::kPushButton6TabIndex);
    m_pushButton8 = button(this, form2::kPushButton8, form2::kPushButton8TabIndex);

    connect(m_hScroll1, &QScrollBar::valueChanged, this,
            [this](int value) { m_view.hScroll1().setValue(value); });
    connect(m_vScroll1, &QScrollBar::valueChanged, this,
            [this](int value) { m_view.vScroll1().setValue(value); });
    connect(m_pushButton1, &QPushButton::clicked, this, [this] { PushButton1_Click(); });
    connect(m_pushButton2, &QPushButton::clicked, this, [this] { PushButton2_Click(); });
    connect(m_pushButton6, &QPushButton::clicked, this, [this] { PushButton6_Click(); });
    connect(m_pushButton8, &QPushButton::clicked, this, [this] { PushButton8_Click(); });

    // Tab order by TabIndex; the frame and picture boxes take no focus.
    const QList<QWidget*> chain{m_hScroll1,    m_vScroll1,    m_pushButton1,
                                m_pushButton2, m_pushButton6, m_pushButton8};
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
}

void Form2::Form_Load() {
    GuardedProcedure load(QStringLiteral("Form2"), QStringLiteral("Form_Load"));
    load.step(100, [&] { m_view.Form_Load(); });
    load.step(102, [&] { ApplyFaceColour(this); });
    load.step(104, [&] { setWindowTitle(QString::fromLatin1(kProductTitle)); });
    load.step(106, [&] { setWindowIcon(applicationIcon()); });
    load.step(108, [&] {
        const QString handCursor = dataFile(QStringLiteral("HAND-M.CUR"));
        if (PathExists(handCursor))
            m_pointer.setCustomCursor(loadCursorFile(handCursor));
    });
}

void Form2::setPicture(const QImage& image) {
    m_picture1->setPicture(image);
    m_paintedAt.reset();
    m_firstPage = image;
    m_page = 1;
    // The zoom source takes the new snapshot when the view is prepared for
    // it; the old one, many megabytes, goes now.
    m_zoomOri->clearPicture();
    // The view works in logical pixels: a sharp picture has more pixels
    // than that, its device pixel ratio says how many.
    const QSizeF logical = image.deviceIndependentSize();
    m_view.pictureLoaded(pixelsToTwips(int(std::lround(logical.width()))),
                         pixelsToTwips(int(std::lround(logical.height()))));
    // Already on screen, no activation may follow: prepare the view now.
    if (isVisible())
        Form_Activate();
}

void Form2::Show() {
    show();
    raise();
    activateWindow();
}

void Form2::Form_Activate() {
    m_view.Form_Activate();
}

void Form2::PushButton1_Click() {
    m_view.PushButton1_Click();
}

void Form2::PushButton2_Click() {
    m_view.PushButton2_Click();
}

void Form2::PushButton6_Click() {
    saveResultsToWordFile(
        mWordFile,
        [this](const QString& document, const QString& target) {
            exportBrochurePdf(document, target, m_brochureTitle);
        },
        [this](const QString& document, const QString& target, bool marks) {
            return exportPrintShopPdf(document, target, m_brochureTitle, marks);
        });
}

void Form2::PushButton8_Click() {
    backToMainWindow(
        mWordFile,
        [] {
            if (QWidget* main = mainWindow())
                main->show();
        },
        [this] { hide(); });
    // Hidden, the window needs no pictures until the next run brings its
    // own: many megabytes go back to the system meanwhile.
    if (isHidden())
        releasePictures();
}

void Form2::Form_QueryUnload() {
    discardOnClose(mWordFile);
}

void Form2::Form_Unload() {
    endProgram(0);
}

void Form2::pictureMouseEvent(QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const float x = float(mouse->position().x() * kTwipsPerPixel);
    const float y = float(mouse->position().y() * kTwipsPerPixel);
    const int shift = shiftMask(mouse->modifiers());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_view.picture1_MouseDown(buttonMask(mouse->button()), shift, x, y);
        break;
    case QEvent::MouseMove:
        m_view.picture1_MouseMove(buttonMask(mouse->buttons()), shift, x, y);
        break;
    case QEvent::MouseButtonRelease:
        m_view.Picture1_MouseUp(buttonMask(mouse->button()), shift, x, y);
        break;
    default:
        break;
    }
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Wheel &&
        (watched == m_picture1 || watched == m_picture2 || watched == m_picture2->client()) &&
        viewerWheel(event))
        return true;
    if (watched == m_picture1) {
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
            type == QEvent::MouseButtonRelease)
            pictureMouseEvent(event);
    } else {
        HoverPointerRule(m_pointer, watched, event,
                         {m_pushButton1, m_pushButton2, m_pushButton6, m_pushButton8},
                         {this, m_frame1});
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (QWindow* window = windowHandle(); window && !m_followsScreen) {
        m_followsScreen = true;
        connect(window, &QWindow::screenChanged, this, [this] { repaintForScreen(); });
    }
    // Platforms that deliver no activation still get the view prepared.
    if (m_view.firstActivate())
        Form_Activate();
}

void Form2::repaintForScreen() {
    // A screen with another pixel ratio: the same view, painted again for
    // its device pixels. Nothing of the view changes.
    if (!m_paintedAt || m_picture1->picture().devicePixelRatio() == m_picture1->devicePixelRatioF())
        return;
    GuardedProcedure repaint(QStringLiteral("Form2"), QStringLiteral("RedrawImage"));
    const PaintedAt at = *m_paintedAt;
    repaint.step(108, [&] { paintPicture1(at.width, at.height, at.sourceWidth, at.sourceHeight); });
}

void Form2::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void Form2::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_QueryUnload();
    Form_Unload();
}

void Form2::preparePicture1() {
    setBackColour(m_picture1, kWhite);
}

void Form2::copyPicture1ToZoomSource() {
    m_zoomOri->setPicture(m_picture1->picture());
    m_zoomOri->hide();
}

void Form2::clearPicture1() {
    m_picture1->clearPicture();
    m_paintedAt.reset();
}

void Form2::paintPicture1(int width, int height, int sourceWidth, int sourceHeight) {
    const QImage& source = m_zoomOri->picture();
    const PictureScaling scaling =
        pictureScaling(QSize(twipsToPixels(width), twipsToPixels(height)),
                       QSize(twipsToPixels(sourceWidth), twipsToPixels(sourceHeight)),
                       source.size(), source.devicePixelRatio(), m_picture1->devicePixelRatioF());
    if (scaling.target.isEmpty() || source.isNull())
        return;
    // Straight to the screen's device pixels, never resampled twice: an
    // enlarged page is drawn again from its PDF, so text stays sharp at
    // every zoom; a reduced one is scaled from the snapshot.
    QImage scaled = drawEnlarged(scaling, source.size());
    if (scaled.isNull()) {
        const QImage part = scaling.source == source.rect() ? source : source.copy(scaling.source);
        scaled = part.scaled(scaling.target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (scaled.isNull())
        throw Failure(QStringLiteral("Out of memory"));
    scaled.setDevicePixelRatio(m_picture1->devicePixelRatioF());
    m_picture1->setPicture(scaled);
    m_paintedAt = {width, height, sourceWidth, sourceHeight};
}

QImage Form2::drawEnlarged(const PictureScaling& scaling, const QSize& sourcePixels) const {
    if (m_document.isEmpty() || (scaling.target.width() <= scaling.source.width() &&
                                 scaling.target.height() <= scaling.source.height()))
        return {};
    const double across = double(scaling.target.width()) / scaling.source.width();
    const double down = double(scaling.target.height()) / scaling.source.height();
    const QSize page(int(std::lround(sourcePixels.width() * across)),
                     int(std::lround(sourcePixels.height() * down)));
    const QRect shown(QPoint(int(std::lround(scaling.source.x() * across)),
                             int(std::lround(scaling.source.y() * down))),
                      scaling.target);
    try {
        return PdfPages(m_document).drawPart(m_page, page, shown);
    } catch (const Failure&) {
        return {}; // the snapshot, stretched, is all there is
    }
}

void Form2::resetPointer() {
    m_pointer.set(PointerState::Default);
}

void Form2::viewChanged() noexcept {
    // Moving Picture1 only moves it: its painted picture stays as it is.
    m_picture1->setTwipsGeometry(m_view.picture1());
    m_zoomOri->setTwipsGeometry(m_view.zoomOri());
    mirrorScrollBar(m_hScroll1, m_view.hScroll1());
    mirrorScrollBar(m_vScroll1, m_view.vScroll1());
    describePicture();
}

} // namespace lw
