#pragma once

// The first page of a PDF made by the office, drawn at any pixel size.

#include <QByteArray>
#include <QImage>
#include <QSizeF>

#include <memory>

namespace Poppler {
class Document;
class Page;
} // namespace Poppler

namespace lw::word::office {

class PdfFirstPage {
public:
    // Fails with a description when the PDF cannot be read.
    explicit PdfFirstPage(const QByteArray& pdf);
    ~PdfFirstPage();
    PdfFirstPage(const PdfFirstPage&) = delete;
    PdfFirstPage& operator=(const PdfFirstPage&) = delete;

    // The page's size in points (1/72 inch).
    QSizeF points() const;
    // The page stretched to exactly size pixels, on white.
    QImage draw(const QSize& size) const;

private:
    std::unique_ptr<Poppler::Document> m_document;
    std::unique_ptr<Poppler::Page> m_page;
};

} // namespace lw::word::office
