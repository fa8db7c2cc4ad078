#pragma once

// The word-processing object model the generation code drives: an application
// with its documents, their story ranges and shapes, ranges with find and
// replace, saving, closing and a picture of the page. The shipped engine
// implements it on an office suite; tests implement it in memory.
//
// Members carry the object model's own names. Every call may fail by throwing
// AutomationError with the engine's description text.

#include "shell/Failure.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace lw::word {

class AutomationError : public Failure {
public:
    using Failure::Failure;
};

// The description of a call on an object that was never obtained.
inline constexpr auto kObjectNotSet = "Object variable or With block variable not set";

// A reference to an engine object. Calling through an empty reference fails
// like any other call instead of crashing, so a procedure whose object could
// not be obtained reports each later step in turn.
template <class T> class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    template <class U> Ref(std::shared_ptr<U> object) : m_object(std::move(object)) {}
    template <class U> Ref(const Ref<U>& other) : m_object(other.shared()) {}

    T* operator->() const {
        if (!m_object)
            throw AutomationError(QString::fromLatin1(kObjectNotSet));
        return m_object.get();
    }
    explicit operator bool() const { return bool(m_object); }
    void reset() { m_object.reset(); }
    const std::shared_ptr<T>& shared() const { return m_object; }

private:
    std::shared_ptr<T> m_object;
};

// A collection walked item by item; items are numbered from 1.
template <class T> class WordCollection {
public:
    virtual ~WordCollection() = default;
    virtual int Count() = 0;
    virtual Ref<T> Item(int index) = 0;
};

// wdReplaceAll
inline constexpr std::int16_t kReplaceAll = 2;
// wdFindContinue
inline constexpr std::int32_t kWrapContinue = 1;

// The arguments of Find.Execute, each optional as in a call by name or by
// position. An omitted argument takes the find object's current setting.
struct FindExecuteArgs {
    std::optional<QString> FindText;
    std::optional<bool> MatchCase;
    std::optional<bool> MatchWholeWord;
    std::optional<bool> MatchWildcards;
    std::optional<bool> MatchSoundsLike;
    std::optional<bool> MatchAllWordForms;
    std::optional<bool> Forward;
    std::optional<std::int32_t> Wrap;
    std::optional<bool> Format;
    std::optional<QString> ReplaceWith;
    std::optional<std::int16_t> Replace;
};

class WordReplacement {
public:
    virtual ~WordReplacement() = default;
    virtual void ClearFormatting() = 0;
    virtual void setText(const QString& text) = 0;
};

class WordFind {
public:
    virtual ~WordFind() = default;
    virtual void ClearFormatting() = 0;
    virtual Ref<WordReplacement> Replacement() = 0;
    virtual void setText(const QString& text) = 0;
    virtual void setForward(bool value) = 0;
    virtual void setWrap(std::int32_t value) = 0;
    virtual void setFormat(bool value) = 0;
    virtual void setMatchCase(bool value) = 0;
    virtual void setMatchWholeWord(bool value) = 0;
    virtual void setMatchWildcards(bool value) = 0;
    virtual void setMatchSoundsLike(bool value) = 0;
    virtual void setMatchAllWordForms(bool value) = 0;
    // With Replace = kReplaceAll every occurrence inside the range is replaced.
    // True when something was found.
    virtual bool Execute(const FindExecuteArgs& args) = 0;
};

class WordRange {
public:
    virtual ~WordRange() = default;
    // The range's find object: the same one on every call, so settings made
    // through one reference hold for an Execute through another.
    virtual Ref<WordFind> Find() = 0;
    // Puts a picture of the document's first page on the clipboard, with the
    // whole document beside it as PDF (kSnapshotDocumentFormat).
    virtual void CopyAsPicture() = 0;
};

class WordTextFrame {
public:
    virtual ~WordTextFrame() = default;
    virtual bool HasText() = 0;
    // A new range over the frame's text on every call.
    virtual Ref<WordRange> TextRange() = 0;
};

class WordShape {
public:
    virtual ~WordShape() = default;
    virtual Ref<WordTextFrame> TextFrame() = 0;
};

// wdDoNotSaveChanges
inline constexpr std::int16_t kDoNotSaveChanges = 0;

// One colour of a document's design, found by a name the document carries,
// so that it is found again however often the design is coloured.
struct DesignColour {
    enum class Part {
        StyleText,   // the text of the paragraph or character style of this name
        StyleBorder, // the borders of the paragraph style of this name and its paragraphs
        ShapeFill,   // the drawing shape of this name
        FrameFill,   // each text frame holding a paragraph of the style of this name
    };
    Part part;
    QString name;
    std::uint32_t rgb; // 0xRRGGBB
};

// The sheet a print shop prints the pages on, in inches: each page is the
// trimmed page, with colour running on by the bleed beyond the trim and,
// with marks, white room outside that for crop marks and fold marks.
struct PrintShopSheet {
    double bleed = 0;
    // The room outside the bleed that holds the marks; none without marks.
    double markRoom = 0;
    // Where the marks start beyond the bleed, and how long they are.
    double markGap = 0, markLength = 0;
    // A coloured area whose edge lies this near the trim reaches the trim
    // in the print design: that edge runs on to the bleed's edge.
    double reachesTrim = 0;
    // Each page's folds, from its left trim; there are as many pages.
    std::vector<std::vector<double>> folds;
};

// What the pages for a print shop hold that the press cares about.
struct PrintShopPages {
    // The coarsest picture's resolution at its printed size, in pixels per
    // inch; none without pictures.
    std::optional<double> lowestPicturePpi;
};

class WordDocument {
public:
    virtual ~WordDocument() = default;
    // The main text first, then the first text frame's text, then the headers
    // and footers that exist.
    virtual Ref<WordCollection<WordRange>> StoryRanges() = 0;
    virtual Ref<WordCollection<WordShape>> Shapes() = 0;
    // The whole main text.
    virtual Ref<WordRange> Range() = 0;
    // The file name's extension picks the format; ".doc" is Word 97–2003,
    // ".pdf" a PDF of every page with its fonts embedded.
    virtual void SaveAs(const QString& fileName) = 0;
    // BuiltInDocumentProperties(name).Value = value, for the document's own
    // properties by their object-model names ("Title", "Subject", "Author").
    virtual void setBuiltInDocumentProperty(const QString& name, const QString& value) = 0;
    // Shapes.AddPicture: the picture of a file embedded (never linked) on the
    // first page, at a place and size given in inches from the page's top
    // left corner, in front of the page's drawing.
    virtual void AddPicture(const QString& fileName, double left, double top, double width,
                            double height) {
        (void)fileName, (void)left, (void)top, (void)width, (void)height;
        throw AutomationError(QStringLiteral("This engine cannot place pictures"));
    }
    // Sets each colour of the design given (the styles' colours, so the
    // document shows them in any word processor). A name the document does
    // not hold fails, naming it, after the others are set. asDesigned: these
    // are the colours the document was made in, which an engine need not set
    // again in a document it never coloured otherwise.
    virtual void SetDesignColours(const std::vector<DesignColour>& colours,
                                  bool asDesigned = false) {
        (void)colours, (void)asDesigned;
        throw AutomationError(QStringLiteral("This engine cannot colour the design"));
    }
    virtual void Close(std::optional<std::int16_t> saveChanges = std::nullopt) = 0;
    // The pages laid out on a print shop's sheet and exported as a PDF at
    // fileName: each page enlarged and its content moved by the bleed (and
    // the mark room), coloured areas that reach the trim run on to the bleed,
    // pictures made opaque over the colour behind them, marks drawn when
    // asked. Changes the open document, which is then closed unsaved.
    virtual PrintShopPages ExportPrintShopPdf(const QString& fileName,
                                              const PrintShopSheet& sheet) {
        (void)fileName, (void)sheet;
        throw AutomationError(QStringLiteral("This engine cannot lay pages out for a print shop"));
    }
};

class WordDocuments {
public:
    virtual ~WordDocuments() = default;
    virtual Ref<WordDocument> Open(const QString& fileName,
                                   std::optional<bool> readOnly = std::nullopt) = 0;
};

// One session with the engine, "Word.Application". quit() closes the session's
// documents and ends it.
class WordApplication {
public:
    virtual ~WordApplication() = default;
    virtual Ref<WordDocuments> Documents() = 0;
    virtual void setDisplayAlerts(bool value) = 0;
    virtual Ref<WordDocument> ActiveDocument() = 0;
    virtual void quit() = 0;
};

} // namespace lw::word
