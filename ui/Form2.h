#pragma once

#include "preview/PreviewSurface.h"
#include "preview/PreviewView.h"
#include "ui/WindowPointer.h"

#include <QImage>
#include <QWidget>

#include <optional>

class QGroupBox;
class QPushButton;
class QScrollBar;

namespace lw {

class BrochurePrinter;
class PictureBox;
struct PictureScaling;

// The preview window: the page snapshot in a viewport with zoom, scroll bars
// and drag to pan, saving the working document, and the way back.
class Form2 : public QWidget, private PreviewSurface {
    Q_OBJECT
public:
    // Builds the controls and loads the window.
    explicit Form2(QWidget* parent = nullptr);
    ~Form2() override;

    // The program's preview window, created and loaded on first use.
    static Form2& instance();
    static bool isLoaded();

    // A new snapshot for Picture1, which takes its size; the view is prepared
    // for it when the window is next activated or shown.
    void setPicture(const QImage& image);
    // Shows the window without waiting, in front and active.
    void Show();
    // The whole document as PDF, from which pages after the first are
    // drawn, at the first page's size and sharpness, when they are shown.
    // coverLogo: the brochure was made with the company's logo on its cover.
    void setDocument(const QByteArray& pdf, bool coverLogo = false);
    // What the brochure is called: the title its PDF is saved with.
    void setBrochureTitle(const QString& title) { m_brochureTitle = title; }

    // Which page the picture shows (1 first), of how many. Another page
    // keeps the zoom and starts at the top left.
    int page() const { return m_page; }
    int pageCount() const { return m_pageCount; }
    void showPage(int page);

    // Full path of the working document; the window deletes it on back and
    // on close.
    QString mWordFile;

    void Form_Load();
    void Form_Activate();
    void PushButton1_Click();
    void PushButton2_Click();
    void PushButton6_Click();
    void PushButton8_Click();
    void Form_QueryUnload();
    [[noreturn]] void Form_Unload();

    PictureBox* Picture1() const { return m_picture1; }
    PictureBox* Picture2() const { return m_picture2; }
    PictureBox* Zoom_Ori() const { return m_zoomOri; }
    QScrollBar* HScroll1() const { return m_hScroll1; }
    QScrollBar* VScroll1() const { return m_vScroll1; }
    QGroupBox* Frame1() const { return m_frame1; }
    QPushButton* PushButton1() const { return m_pushButton1; }
    QPushButton* PushButton2() const { return m_pushButton2; }
    QPushButton* PushButton6() const { return m_pushButton6; }
    QPushButton* PushButton8() const { return m_pushButton8; }

    // The view state (mZoom, mHStep, picture position, ...) the controls
    // show; they follow every change of it.
    PreviewView& view() { return m_view; }
    WindowPointer& pointer() { return m_pointer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void setUpViewer();
    bool viewerWheel(QEvent* event);
    void showPictureMenu(const QPoint& at);
    QImage drawPage(int page) const;
    // The shown page drawn from its PDF at the scaling's target size when
    // that is larger than the snapshot's part; null otherwise.
    QImage drawEnlarged(const PictureScaling& scaling, const QSize& sourcePixels) const;
    void describePicture();
    void releasePictures();
    void pictureMouseEvent(QEvent* event);
    void repaintForScreen();

    // PreviewSurface
    void preparePicture1() override;
    void copyPicture1ToZoomSource() override;
    void clearPicture1() override;
    void paintPicture1(int width, int height, int sourceWidth, int sourceHeight) override;
    void resetPointer() override;
    void viewChanged() noexcept override;

    PictureBox* m_zoomOri = nullptr;
    QGroupBox* m_frame1 = nullptr;
    QPushButton* m_pushButton1 = nullptr;
    QPushButton* m_pushButton2 = nullptr;
    PictureBox* m_picture2 = nullptr;
    PictureBox* m_picture1 = nullptr;
    QScrollBar* m_vScroll1 = nullptr;
    QScrollBar* m_hScroll1 = nullptr;
    QPushButton* m_pushButton6 = nullptr;
    QPushButton* m_pushButton8 = nullptr;
    PreviewView m_view;
    WindowPointer m_pointer{this};
    // The sizes Picture1 was last painted at, to paint it again for another
    // screen.
    struct PaintedAt {
        int width, height, sourceWidth, sourceHeight;
    };
    std::optional<PaintedAt> m_paintedAt;
    bool m_followsScreen = false;
    // The snapshot's first page, kept while another page is shown, and the
    // document the later pages are drawn from.
    QImage m_firstPage;
    QByteArray m_document;
    int m_page = 1;
    int m_pageCount = 1;
    QString m_brochureTitle;
    QString m_describedAs;
    bool m_coverLogo = false;
    BrochurePrinter* m_printer = nullptr;
};

} // namespace lw
