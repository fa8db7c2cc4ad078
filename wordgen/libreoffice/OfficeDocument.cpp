#include "wordgen/libreoffice/OfficeDocument.h"

#include "brochure/BrochureProduct.h"
#include "wordgen/libreoffice/OfficeRange.h"
#include "wordgen/libreoffice/OfficeShapes.h"
#include "wordgen/libreoffice/StoryTexts.h"
#include "wordgen/libreoffice/UnoConvert.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStorageInfo>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/util/DateTime.hpp>

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
void stampSaveDates(const Reference<text::XTextDocument>& model) {
    const auto properties = Reference<document::XDocumentPropertiesSupplier>(model, UNO_QUERY_THROW)
                                ->getDocumentProperties();
    const util::DateTime now = toUno(QDateTime::currentDateTime());
    properties->setModificationDate(now);
    if (properties->getCreationDate().Year == 0)
        properties->setCreationDate(now);
}

} // namespace

QString filterForFile(const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (QLatin1Char('.') + extension == QLatin1String(kWorkingDocumentExtension))
        return QString::fromLatin1(kWorkingDocumentFilter);
    if (extension == QLatin1String("dot"))
        return QStringLiteral("MS Word 97 Vorlage");
    if (extension == QLatin1String("odt"))
        return QStringLiteral("writer8");
    if (extension == QLatin1String("docx"))
        return QStringLiteral("MS Word 2007 XML");
    throw AutomationError(
        QStringLiteral("Cannot save \"%1\": the file type \"%2\" is not supported")
            .arg(QFileInfo(fileName).fileName(), extension));
}

Ref<WordCollection<WordRange>> OfficeDocument::StoryRanges() {
    if (m_storyTexts.empty())
        m_storyTexts = m_state->call([this] { return storyTexts(m_state->document); });
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
    const auto text = m_state->call([this] { return m_state->document->getText(); });
    return std::make_shared<OfficeRange>(m_state, text);
}

void OfficeDocument::SaveAs(const QString& fileName) {
    const QString filter = filterForFile(fileName);
    // On a full disk the office retries its save without end until the
    // watchdog stops it, leaving its lock and temporary files behind; refuse
    // at once instead, with the reason.
    const QStorageInfo disk(QFileInfo(fileName).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < kMinimumFreeBytes)
        throw AutomationError(
            QStringLiteral("There is not enough space on the disk to save \"%1\"").arg(fileName));
    m_state->call([&] {
        stampSaveDates(m_state->document);
        Reference<frame::XStorable>(m_state->document, UNO_QUERY_THROW)
            ->storeAsURL(fileUrl(fileName),
                         properties({property("FilterName", uno::Any(toUno(filter))),
                                     property("Overwrite", uno::Any(true))}));
    });
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

} // namespace lw::word::office
