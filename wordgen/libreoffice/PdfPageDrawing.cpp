#include "wordgen/libreoffice/PdfPageDrawing.h"

#include "wordgen/WordObjects.h"

#include <QPainter>
#include <poppler-qt6.h>

namespace lw::word::office {
namespace {

AutomationError noPicture() {
    return AutomationError(
        QStringLiteral("The word-processing engine made no readable picture of the page"));
}

} // namespace

PdfFirstPage::PdfFirstPage(const QByteArray& pdf)
    : m_document(Poppler::Document::loadFromData(pdf)) {
    if (!m_document || m_document->isLocked() || m_document->numPages() < 1)
        throw noPicture();
    // Drawn through Qt's own painter: several times faster than the
    // library's default rasteriser at this size, and as sharp.
    m_document->setRenderBackend(Poppler::Document::QPainterBackend);
    m_document->setRenderHint(Poppler::Document::Antialiasing, true);
    m_document->setRenderHint(Poppler::Document::TextAntialiasing, true);
    m_page = m_document->page(0);
    if (!m_page || m_page->pageSizeF().isEmpty())
        throw noPicture();
}

PdfFirstPage::~PdfFirstPage() = default;

QSizeF PdfFirstPage::points() const {
    return m_page->pageSizeF();
}

QImage PdfFirstPage::draw(const QSize& size) const {
    if (size.isEmpty())
        throw noPicture();
    QImage picture(size, QImage::Format_RGB32);
    if (picture.isNull())
        throw AutomationError(QStringLiteral("Out of memory"));
    picture.fill(Qt::white);
    QPainter painter(&picture);
    // A resolution per axis, so the page fills the picture exactly.
    const QSizeF page = points();
    const double xResolution = size.width() * 72.0 / page.width();
    const double yResolution = size.height() * 72.0 / page.height();
    if (!m_page->renderToPainter(&painter, xResolution, yResolution))
        throw noPicture();
    return picture;
}

} // namespace lw::word::office
