#include "wordgen/libreoffice/OfficeWarmUp.h"

#include "brochure/BrochureProduct.h"
#include "wordgen/libreoffice/KeptTemplate.h"
#include "wordgen/libreoffice/OfficeEngine.h"
#include "wordgen/libreoffice/PagePicture.h"
#include "wordgen/libreoffice/SessionState.h"
#include "wordgen/libreoffice/UnoConvert.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace lw::word::office {
namespace {

void closeQuietly(const Reference<lang::XComponent>& component) {
    if (!component.is())
        return;
    try {
        closeComponent(component);
    } catch (const uno::Exception&) {
    }
}

} // namespace

void warmUpOffice(const Reference<frame::XDesktop2>& desktop) {
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/leafwright-warm-XXXXXX"));
    if (!folder.isValid())
        return;
    // The same kind of document a run writes and reads back.
    const OUString url =
        fileUrl(folder.filePath(QStringLiteral("warm") + QLatin1String(kWorkingDocumentExtension)));
    const auto hidden = properties({property("Hidden", uno::Any(true))});
    Reference<lang::XComponent> created;
    Reference<lang::XComponent> reopened;
    try {
        created = desktop->loadComponentFromURL("private:factory/swriter", "_blank", 0, hidden);
        Reference<text::XTextDocument> document(created, UNO_QUERY);
        if (document.is())
            document->getText()->setString("[CompanyName]");
        Reference<frame::XStorable>(created, UNO_QUERY_THROW)
            ->storeToURL(url, properties({property("FilterName", uno::Any(OUString::createFromAscii(
                                                                     kWorkingDocumentFilter)))}));
        closeQuietly(created);
        created.clear();
        reopened = desktop->loadComponentFromURL(url, "_blank", 0, hidden);
        Reference<text::XTextDocument> again(reopened, UNO_QUERY);
        // The export and the drawing once, as a run makes them.
        if (again.is())
            renderFirstPage(again);
    } catch (...) {
    }
    closeQuietly(created);
    closeQuietly(reopened);
}

void keepBrochureTemplate(const Reference<frame::XDesktop2>& desktop) {
    // The program's own template, so its first brochure does not wait for
    // it; the program carries it in its resources.
    QFile resource(QString::fromLatin1(kTemplateResource));
    if (!resource.open(QIODevice::ReadOnly))
        return;
    try {
        std::unique_ptr<KeptTemplate>& kept = OfficeEngine::instance().keptTemplate();
        if (!kept) {
            kept = KeptTemplate::load(desktop, resource.readAll(),
                                      QString::fromLatin1(kTemplateFileName));
            // Laid out and drawn once now, with its own fonts, not while the
            // first brochure waits.
            if (kept)
                renderFirstPage(kept->document());
        }
    } catch (...) {
        // The first brochure loads it then, or finds what is wrong.
    }
}

} // namespace lw::word::office
