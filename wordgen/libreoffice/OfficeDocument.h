#pragma once

// An open office document as the object model sees it.

#include "wordgen/WordObjects.h"
#include "wordgen/libreoffice/SessionState.h"

#include <com/sun/star/text/XText.hpp>

#include <vector>

namespace lw::word::office {

class OfficeDocument : public WordDocument {
public:
    OfficeDocument(std::shared_ptr<SessionState> session, std::shared_ptr<DocumentState> state)
        : m_session(std::move(session)), m_state(std::move(state)) {}

    Ref<WordCollection<WordRange>> StoryRanges() override;
    Ref<WordCollection<WordShape>> Shapes() override;
    Ref<WordRange> Range() override;
    void SaveAs(const QString& fileName) override;
    void setBuiltInDocumentProperty(const QString& name, const QString& value) override;
    void AddPicture(const QString& fileName, double left, double top, double width,
                    double height) override;
    void SetDesignColours(const std::vector<DesignColour>& colours, bool asDesigned) override;
    void Close(std::optional<std::int16_t> saveChanges) override;
    PrintShopPages ExportPrintShopPdf(const QString& fileName,
                                      const PrintShopSheet& sheet) override;

private:
    std::shared_ptr<SessionState> m_session;
    std::shared_ptr<DocumentState> m_state;
    // Which texts the story ranges cover: finding them walks every page style,
    // and replacing text never adds a frame, header or footer, so it is done
    // once per document.
    std::vector<css::uno::Reference<css::text::XText>> m_storyTexts;
};

// How the office writes a file of a given kind.
struct SaveFilter {
    QString name;
    // An export leaves the document where it is (a PDF cannot be reopened
    // as the same document); a save makes the file the document's own.
    bool exportOnly = false;
};

// The office's filter for a file name's extension; fails for others.
SaveFilter filterForFile(const QString& fileName);

} // namespace lw::word::office
