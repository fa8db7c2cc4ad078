#include "wordgen/libreoffice/OfficeDocument.h"

#include "brochure/BrochureProduct.h"
#include "shell/WriteAll.h"
#include "wordgen/libreoffice/DesignColours.h"
#include "wordgen/libreoffice/KeptTemplate.h"
#include "wordgen/libreoffice/MemoryOutputStream.h"
#include "wordgen/libreoffice/OfficePicture.h"
#include "wordgen/libreoffice/OfficeRange.h"
#include "wordgen/libreoffice/OfficeShapes.h"
#include "wordgen/libreoffice/PrintLayout.h"
#include "wordgen/libreoffice/StoryTexts.h"
#include "wordgen/libreoffice/UnoConvert.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/util/DateTime.hpp>

#include <rtl/ref.hxx>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace lw::word::office {

namespace {

class OfficeRanges : public WordCollection<WordRange> {
public:
    explicit OfficeRanges(std::vector<Ref<WordRange>> ranges) : m_ranges(std::move(ranges)) {}
    int Count() override { return int(m_ranges.size()); }
    Ref<WordRange> Item(int index) override {
        if (index < 1 || index > Count())
            throw AutomationError(
                QStringLiteral("The requested member of the collection does not exist"));
        return m_ranges[size_t(index - 1)];
    }

private:
    std::vector<Ref<WordRange>> m_ranges;
};

// Room a save needs besides the document itself: the office writes a copy
// and a lock file first.
constexpr qint64 kMinimumFreeBytes = 1 << 20;

// wdSaveChanges
constexpr std::int16_t kSaveChanges = -1;

util::DateTime toUno(const QDateTime& time) {
    util::DateTime result;
    result.Year = sal_Int16(time.date().year());
    result.Month = sal_uInt16(time.date().month());
    result.Day = sal_uInt16(time.date().day());
    result.Hours = sal_uInt16(time.time().hour());
    result.Minutes = sal_uInt16(time.time().minute());
    result.Seconds = sal_uInt16(time.time().second());
    result.NanoSeconds = sal_uInt32(time.time().msec()) * 1000000u;
    result.IsUTC = false;
    return result;
}

// The office stamps a document's dates only when its own user interface
// saves; saved through the API, a document made from an undated template
// would say it was never created or changed. Stamp them as a word processor
// does: changed now, and created now unless it already has a creation date.
// createdNow: the document is known to have had no creation date of its own
// (a kept template that was undated when loaded; its earlier brochures'
// dates do not count).
void stampSaveDates(const Reference<text::XTextDocument>& model, bool createdNow) {
    const auto properties = Reference<document::XDocumentPropertiesSupplier>(model, UNO_QUERY_THROW)
                                ->getDocumentProperties();
    const util::DateTime now = toUno(QDateTime::currentDateTime());
    properties->setModificationDate(now);
    if (createdNow || properties->getCreationDate().Year == 0)
        properties->setCreationDate(now);
}

// A PDF for printing and reading on screen: every font embedded (the
// standard fonts too, so a printer never substitutes one), text that can be
// selected and read aloud, no form fields or notes.
uno::Sequence<beans::PropertyValue> pdfSettings() {
    return properties(
        {property("EmbedStandardFonts", uno::Any(true)), property("UseTaggedPDF", uno::Any(true)),
         property("ExportFormFields", uno::Any(false)), property("ExportNotes", uno::Any(false))});
}

AutomationError saveFailure(const QString& fileName, int error) {
    if (error == ENOSPC || error == EDQUOT)
        return AutomationError(
            QStringLiteral("There is not enough space on the disk to save \"%1\"").arg(fileName));
    return AutomationError(QStringLiteral("Cannot save \"%1\": %2")
                               .arg(fileName, QString::fromLocal8Bit(std::strerror(error))));
}

// Writes a document the office made in memory to its file, as the office
// would (a file of that name replaced, never a link planted under it
// followed), without the office's temporary copy and its waits for the disk.
void writeDocumentFile(const QString& fileName, const QByteArray& bytes) {
    const int fd = ::open(QFile::encodeName(fileName).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        throw saveFailure(fileName, errno);
    if (const int error = writeAll(fd, bytes)) {
        ::close(fd);
        throw saveFailure(fileName, error);
    }
    if (::close(fd) != 0)
        throw saveFailure(fileName, errno);
}

} // namespace

SaveFilter filterForFile(const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (QLatin1Char('.') + extension == QLatin1String(kWorkingDocumentExtension))
        return {QString::fromLatin1(kWorkingDocumentFilter)};
    if (extension == QLatin1String("dot"))
        return {QStringLiteral("MS Word 97 Vorlage")};
    if (extension == QLatin1String("odt"))
        return {QStringLiteral("writer8")};
    if (extension == QLatin1String("docx"))
        return {QStringLiteral("MS Word 2007 XML")};
    if (extension == QLatin1String("pdf"))
        return {QStringLiteral("writer_pdf_Export"), true};
    throw AutomationError(
        QStringLiteral("Cannot save \"%1\": the file type \"%2\" is not supported")
            .arg(QFileInfo(fileName).fileName(), extension));
}

Ref<WordCollection<WordRange>> OfficeDocument::StoryRanges() {
    if (m_storyTexts.empty())
        m_storyTexts = m_state->call([this] {
            return m_state->kept ? m_state->kept->storyTexts() : storyTexts(m_state->document);
        });
    else
        m_state->call([] {}); // a closed document or ended session still fails
    std::vector<Ref<WordRange>> ranges;
    for (const auto& text : m_storyTexts)
        ranges.emplace_back(std::make_shared<OfficeRange>(m_state, text));
    return std::make_shared<OfficeRanges>(std::move(ranges));
}

Ref<WordCollection<WordShape>> OfficeDocument::Shapes() {
    return drawPageShapes(m_state);
}

Ref<WordRange> OfficeDocument::Range() {
    m_state->settle();
    const auto text = m_state->call([this] { return m_state->document->getText(); });
    return std::make_shared<OfficeRange>(m_state, text);
}

void OfficeDocument::SaveAs(const QString& fileName) {
    const SaveFilter filter = filterForFile(fileName);
    // On a full disk the office retries its save without end until the
    // watchdog stops it, leaving its lock and temporary files behind; refuse
    // at once instead, with the reason.
    const QStorageInfo disk(QFileInfo(fileName).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < kMinimumFreeBytes)
        throw AutomationError(
            QStringLiteral("There is not enough space on the disk to save \"%1\"").arg(fileName));
    m_state->settle();
    m_state->call([&] {
        stampSaveDates(m_state->document, m_state->kept && m_state->kept->loadedUndated());
        auto arguments = properties({property("FilterName", uno::Any(toUno(filter.name))),
                                     property("Overwrite", uno::Any(true))});
        const Reference<frame::XStorable> storable(m_state->document, UNO_QUERY_THROW);
        if (filter.exportOnly) {
            arguments.realloc(3);
            arguments.getArray()[2] = property("FilterData", uno::Any(pdfSettings()));
            storable->storeToURL(fileUrl(fileName), arguments);
        } else if (m_state->kept) {
            // The kept template stays the template, not the saved file.
            const rtl::Reference<MemoryOutputStream> stream(new MemoryOutputStream);
            arguments.realloc(3);
            arguments.getArray()[2] =
                property("OutputStream", uno::Any(Reference<io::XOutputStream>(stream.get())));
            storable->storeToURL("private:stream", arguments);
            writeDocumentFile(fileName, stream->bytes());
            m_state->kept->saved();
        } else {
            storable->storeAsURL(fileUrl(fileName), arguments);
        }
    });
}

void OfficeDocument::setBuiltInDocumentProperty(const QString& name, const QString& value) {
    m_state->settle();
    m_state->call([&] {
        if (m_state->kept)
            m_state->kept->propertiesChanged();
        const auto documentProperties =
            Reference<document::XDocumentPropertiesSupplier>(m_state->document, UNO_QUERY_THROW)
                ->getDocumentProperties();
        if (name.compare(QLatin1String("Title"), Qt::CaseInsensitive) == 0)
            documentProperties->setTitle(toUno(value));
        else if (name.compare(QLatin1String("Subject"), Qt::CaseInsensitive) == 0)
            documentProperties->setSubject(toUno(value));
        else if (name.compare(QLatin1String("Author"), Qt::CaseInsensitive) == 0)
            documentProperties->setAuthor(toUno(value));
        else
            throw AutomationError(
                QStringLiteral("The document property \"%1\" is not supported").arg(name));
    });
}

void OfficeDocument::AddPicture(const QString& fileName, double left, double top, double width,
                                double height) {
    m_state->settle();
    m_state->call([&] { placePicture(m_state->document, fileName, {left, top, width, height}); });
}

void OfficeDocument::SetDesignColours(const std::vector<DesignColour>& colours, bool asDesigned) {
    m_state->settle();
    m_state->call([&] { setDesignColours(*m_state, colours, asDesigned); });
}

void OfficeDocument::Close(std::optional<std::int16_t> saveChanges) {
    m_state->call([] {}); // a closed document cannot be closed again
    if (saveChanges == kSaveChanges)
        m_state->call([this] {
            const Reference<frame::XStorable> storable(m_state->document, UNO_QUERY_THROW);
            if (storable->hasLocation() && !storable->isReadonly())
                storable->store();
        });
    m_state->close();
    m_session->forgetClosed();
}

PrintShopPages OfficeDocument::ExportPrintShopPdf(const QString& fileName,
                                                  const PrintShopSheet& sheet) {
    // The layout changes pages and shapes, which the kept template's undo
    // would not take back: only a saved document is laid out.
    if (m_state->kept)
        throw AutomationError(
            QStringLiteral("A template being filled cannot be laid out for a print shop"));
    return m_state->call([&] { return exportForPrintShop(m_state->document, fileName, sheet); });
}

} // namespace lw::word::office
