#include "wordgen/libreoffice/OfficeRange.h"

#include "wordgen/PageSnapshot.h"
#include "wordgen/libreoffice/PagePicture.h"
#include "wordgen/libreoffice/PhaseReport.h"
#include "wordgen/libreoffice/TextReplace.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace lw::word::office {

Ref<WordFind> OfficeRange::Find() {
    m_document->call([] {});
    if (!m_find)
        m_find = std::make_shared<OfficeFind>(m_document, m_text);
    return m_find;
}

void OfficeRange::CopyAsPicture() {
    PagePicture picture = m_document->call([this] {
        return renderFirstPage(m_document->document, [](const char* part) {
            reportPhase(QByteArray("snapshot: ").append(part).constData());
        });
    });
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!application)
        throw AutomationError(QStringLiteral("There is no clipboard to copy the picture to"));
    // The picture, and the document it was drawn from for its other pages,
    // as a word processor offers a copy in several formats at once.
    auto* data = new QMimeData;
    data->setImageData(std::move(picture.firstPage));
    data->setData(QString::fromLatin1(kSnapshotDocumentFormat), picture.document);
    application->clipboard()->setMimeData(data);
    reportPhase("snapshot: clipboard set");
}

bool OfficeFind::Execute(const FindExecuteArgs& args) {
    // An argument given to the call wins over the find object's setting.
    const auto setting = [](const auto& given, const auto& own, auto fallback) {
        return given.value_or(own.value_or(fallback));
    };
    if (setting(args.MatchWildcards, m_settings.MatchWildcards, false))
        throw AutomationError(QStringLiteral("Finding with wildcards is not supported"));
    if (setting(args.MatchSoundsLike, m_settings.MatchSoundsLike, false))
        throw AutomationError(QStringLiteral("Finding words that sound alike is not supported"));
    if (setting(args.MatchAllWordForms, m_settings.MatchAllWordForms, false))
        throw AutomationError(QStringLiteral("Finding all word forms is not supported"));

    SearchOptions options;
    options.text = setting(args.FindText, m_settings.FindText, QString());
    options.matchCase = setting(args.MatchCase, m_settings.MatchCase, false);
    options.wholeWord = setting(args.MatchWholeWord, m_settings.MatchWholeWord, false);
    const bool forward = setting(args.Forward, m_settings.Forward, true);
    const QString replacement = args.ReplaceWith.value_or(m_replacement->text());
    const std::int16_t replace = args.Replace.value_or(0);
    const ReplaceMode mode = replace == kReplaceAll ? ReplaceMode::All
                             : replace == 1         ? ReplaceMode::One
                                                    : ReplaceMode::None;
    return m_document->call(
        [&] { return findAndReplace(*m_document, m_text, options, mode, forward, replacement); });
}

} // namespace lw::word::office
