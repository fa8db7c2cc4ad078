#include "wordgen/pdf/PdfPages.h"

#include "shell/Failure.h"

#include <QPainter>
#include <poppler-qt6.h>

namespace lw {
namespace {

Failure noPicture() {
    return Failure(
        QStringLiteral("The word-processing engine made no readable picture of the page"));
}

std::unique_ptr<Poppler::Page> openPage(Poppler::Document& document, int page) {
    std::unique_ptr<Poppler::Page> opened =
        page >= 1 && page <= document.numPages() ? document.page(page - 1) : nullptr;
    if (!opened || opened->pageSizeF().isEmpty())
        throw noPicture();
    return opened;
}

// The picture drawn at twice the pixels is kept for the next drawing of the
// same size when it is no larger than a page picture on an ordinary screen:
// a large buffer comes fresh from the system each time, and touching a new
// one's memory costs this kind of machine more than drawing into it.
constexpr qsizetype kMostKeptBytes = 8 << 20;

} // namespace

PdfPages::PdfPages(const QByteArray& pdf) : m_document(Poppler::Document::loadFromData(pdf)) {
    if (!m_document || m_document->isLocked() || m_document->numPages() < 1)
        throw noPicture();
    // Drawn through Qt's own painter: several times faster than the
    // library's default rasteriser at this size, and as sharp.
    m_document->setRenderBackend(Poppler::Document::QPainterBackend);
    m_document->setRenderHint(Poppler::Document::Antialiasing, true);
    m_document->setRenderHint(Poppler::Document::TextAntialiasing, true);
}

PdfPages::~PdfPages() = default;

int PdfPages::count() const {
    return m_document->numPages();
}

QSizeF PdfPages::points(int page) const {
    return openPage(*m_document, page)->pageSizeF();
}

QImage PdfPages::draw(int page, const QSize& size) const {
    return drawPart(page, size, QRect(QPoint(0, 0), size));
}

QImage PdfPages::drawPart(int page, const QSize& size, const QRect& part) const {
    if (size.isEmpty() || part.isEmpty())
        throw noPicture();
    const std::unique_ptr<Poppler::Page> opened = openPage(*m_document, page);
    // Drawn at twice the pixels and reduced: the painter's antialiasing
    // alone leaves small text coarser than a page printed and looked at.
    constexpr int kFiner = 2;
    const QSize finer = part.size() * kFiner;
    // One per thread: pages drawn on two threads never share it.
    thread_local QImage kept;
    QImage fresh;
    const bool keep = qsizetype(finer.width()) * finer.height() * 4 <= kMostKeptBytes;
    if (keep && kept.size() != finer)
        kept = QImage(finer, QImage::Format_RGB32);
    else if (!keep)
        fresh = QImage(finer, QImage::Format_RGB32);
    QImage& picture = keep ? kept : fresh;
    if (picture.isNull())
        throw Failure(QStringLiteral("Out of memory"));
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        // A resolution per axis, so the page fills the picture exactly.
        const QSizeF points = opened->pageSizeF();
        const double xResolution = size.width() * kFiner * 72.0 / points.width();
        const double yResolution = size.height() * kFiner * 72.0 / points.height();
        // What falls outside the part is cut away before it is rasterised.
        painter.translate(-part.topLeft() * kFiner);
        painter.setClipRect(QRect(part.topLeft() * kFiner, part.size() * kFiner));
        if (!opened->renderToPainter(&painter, xResolution, yResolution))
            throw noPicture();
    }
    QImage reduced = picture.scaled(part.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (reduced.isNull())
        throw Failure(QStringLiteral("Out of memory"));
    return reduced;
}

} // namespace lw
