#pragma once

// The pages of a PDF the office made, each drawn at any pixel size. Used by
// the engine module for the page picture and by the preview for the pages
// after the first, so both draw alike.

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSizeF>

#include <memory>

namespace Poppler {
class Document;
} // namespace Poppler

namespace lw {

class PdfPages {
public:
    // Fails with a description when the PDF cannot be read or has no page.
    explicit PdfPages(const QByteArray& pdf);
    ~PdfPages();
    PdfPages(const PdfPages&) = delete;
    PdfPages& operator=(const PdfPages&) = delete;

    int count() const;
    // A page's size in points (1/72 inch); pages are numbered from 1.
    QSizeF points(int page) const;
    // The page stretched to exactly size pixels, on white.
    QImage draw(int page, const QSize& size) const;
    // The part of that picture inside part, drawn alone: a page enlarged
    // for a zoomed view, without drawing what is out of sight.
    QImage drawPart(int page, const QSize& size, const QRect& part) const;

private:
    std::unique_ptr<Poppler::Document> m_document;
};

} // namespace lw
