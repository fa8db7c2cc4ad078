#pragma once

// A range over one whole text of a document, with its find and replacement.

#include "wordgen/WordObjects.h"
#include "wordgen/libreoffice/SessionState.h"

#include <com/sun/star/text/XText.hpp>

namespace lw::word::office {

class OfficeRange : public WordRange {
public:
    OfficeRange(std::shared_ptr<DocumentState> document, css::uno::Reference<css::text::XText> text)
        : m_document(std::move(document)), m_text(std::move(text)) {}

    Ref<WordFind> Find() override;
    void CopyAsPicture() override;

private:
    std::shared_ptr<DocumentState> m_document;
    css::uno::Reference<css::text::XText> m_text;
    // One find object per range: settings made through one reference to it
    // hold for an Execute through another.
    std::shared_ptr<WordFind> m_find;
};

class OfficeReplacement : public WordReplacement {
public:
    void ClearFormatting() override {}
    void setText(const QString& text) override { m_text = text; }
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

class OfficeFind : public WordFind {
public:
    OfficeFind(std::shared_ptr<DocumentState> document, css::uno::Reference<css::text::XText> text)
        : m_document(std::move(document)), m_text(std::move(text)),
          m_replacement(std::make_shared<OfficeReplacement>()) {}

    void ClearFormatting() override {}
    Ref<WordReplacement> Replacement() override { return m_replacement; }
    void setText(const QString& text) override { m_settings.FindText = text; }
    void setForward(bool value) override { m_settings.Forward = value; }
    void setWrap(std::int32_t value) override { m_settings.Wrap = value; }
    void setFormat(bool value) override { m_settings.Format = value; }
    void setMatchCase(bool value) override { m_settings.MatchCase = value; }
    void setMatchWholeWord(bool value) override { m_settings.MatchWholeWord = value; }
    void setMatchWildcards(bool value) override { m_settings.MatchWildcards = value; }
    void setMatchSoundsLike(bool value) override { m_settings.MatchSoundsLike = value; }
    void setMatchAllWordForms(bool value) override { m_settings.MatchAllWordForms = value; }
    bool Execute(const FindExecuteArgs& args) override;

private:
    std::shared_ptr<DocumentState> m_document;
    css::uno::Reference<css::text::XText> m_text;
    std::shared_ptr<OfficeReplacement> m_replacement;
    FindExecuteArgs m_settings; // the find object's own settings
};

} // namespace lw::word::office
