#include "tests/support/FakeWord.h"

#include "wordgen/ObjectRegistry.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace lw::test {
namespace {

using namespace word;

using Text = std::shared_ptr<QString>;

struct Settings {
    QString text;
    QString replacement;
    bool matchCase = false;
};

class FakeReplacement final : public WordReplacement {
public:
    FakeReplacement(FakeWordEngine& engine, Settings& settings)
        : m_engine(engine), m_settings(settings) {}
    void ClearFormatting() override { m_engine.check(QStringLiteral("ClearFormatting")); }
    void setText(const QString& text) override {
        m_engine.check(QStringLiteral("Replacement.Text"));
        m_settings.replacement = text;
    }

private:
    FakeWordEngine& m_engine;
    Settings& m_settings;
};

class FakeFind final : public WordFind {
public:
    FakeFind(FakeWordEngine& engine, Text text) : m_engine(engine), m_text(std::move(text)) {}
    void ClearFormatting() override { m_engine.check(QStringLiteral("ClearFormatting")); }
    Ref<WordReplacement> Replacement() override {
        return std::make_shared<FakeReplacement>(m_engine, m_settings);
    }
    void setText(const QString& text) override { m_settings.text = text; }
    void setForward(bool) override {}
    void setWrap(std::int32_t) override {}
    void setFormat(bool) override {}
    void setMatchCase(bool value) override { m_settings.matchCase = value; }
    void setMatchWholeWord(bool) override {}
    void setMatchWildcards(bool) override {}
    void setMatchSoundsLike(bool) override {}
    void setMatchAllWordForms(bool) override {}
    bool Execute(const FindExecuteArgs& args) override {
        m_engine.check(QStringLiteral("Execute"));
        const QString token = args.FindText.value_or(m_settings.text);
        const QString value = args.ReplaceWith.value_or(m_settings.replacement);
        const Qt::CaseSensitivity cs =
            args.MatchCase.value_or(m_settings.matchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
        if (token.isEmpty() || !m_text->contains(token, cs))
            return false;
        if (args.Replace.value_or(0) == kReplaceAll)
            m_text->replace(token, value, cs);
        m_engine.calls << QStringLiteral("Execute ") + token;
        return true;
    }

private:
    FakeWordEngine& m_engine;
    Text m_text;
    Settings m_settings;
};

class FakeRange final : public WordRange {
public:
    FakeRange(FakeWordEngine& engine, Text text) : m_engine(engine), m_text(std::move(text)) {}
    Ref<WordFind> Find() override {
        m_engine.check(QStringLiteral("Find"));
        if (!m_find)
            m_find = std::make_shared<FakeFind>(m_engine, m_text);
        return m_find;
    }
    void CopyAsPicture() override {
        m_engine.check(QStringLiteral("CopyAsPicture"));
        QGuiApplication::clipboard()->setImage(m_engine.picture);
    }

private:
    FakeWordEngine& m_engine;
    Text m_text;
    std::shared_ptr<FakeFind> m_find;
};

template <class T> class FakeCollection final : public WordCollection<T> {
public:
    explicit FakeCollection(std::vector<Ref<T>> items) : m_items(std::move(items)) {}
    int Count() override { return int(m_items.size()); }
    Ref<T> Item(int index) override {
        if (index < 1 || index > int(m_items.size()))
            throw AutomationError(QStringLiteral("The requested member of the collection does "
                                                 "not exist."));
        return m_items.at(std::size_t(index - 1));
    }

private:
    std::vector<Ref<T>> m_items;
};

class FakeTextFrame final : public WordTextFrame {
public:
    FakeTextFrame(FakeWordEngine& engine, Text text) : m_engine(engine), m_text(std::move(text)) {}
    bool HasText() override {
        m_engine.check(QStringLiteral("HasText"));
        return !m_text->isEmpty();
    }
    Ref<WordRange> TextRange() override {
        m_engine.check(QStringLiteral("TextRange"));
        return std::make_shared<FakeRange>(m_engine, m_text);
    }

private:
    FakeWordEngine& m_engine;
    Text m_text;
};

class FakeShape final : public WordShape {
public:
    FakeShape(FakeWordEngine& engine, Text text)
        : m_frame(std::make_shared<FakeTextFrame>(engine, std::move(text))) {}
    Ref<WordTextFrame> TextFrame() override { return m_frame; }

private:
    std::shared_ptr<FakeTextFrame> m_frame;
};

class FakeDocument final : public WordDocument {
public:
    FakeDocument(FakeWordEngine& engine, const FakeContent& content) : m_engine(engine) {
        m_body = std::make_shared<QString>(content.body);
        for (const QString& text : content.frames)
            m_frames.push_back(std::make_shared<QString>(text));
        for (const QString& text : content.shapes)
            m_shapes.push_back(std::make_shared<QString>(text));
        for (const QString& text : content.headers)
            m_headers.push_back(std::make_shared<QString>(text));
    }
    Ref<WordCollection<WordRange>> StoryRanges() override {
        m_engine.check(QStringLiteral("StoryRanges"));
        std::vector<Ref<WordRange>> ranges{std::make_shared<FakeRange>(m_engine, m_body)};
        if (!m_frames.empty())
            ranges.push_back(std::make_shared<FakeRange>(m_engine, m_frames.front()));
        for (const Text& header : m_headers)
            ranges.push_back(std::make_shared<FakeRange>(m_engine, header));
        return std::make_shared<FakeCollection<WordRange>>(std::move(ranges));
    }
    Ref<WordCollection<WordShape>> Shapes() override {
        m_engine.check(QStringLiteral("Shapes"));
        std::vector<Ref<WordShape>> shapes;
        for (const Text& text : m_frames)
            shapes.push_back(std::make_shared<FakeShape>(m_engine, text));
        for (const Text& text : m_shapes)
            shapes.push_back(std::make_shared<FakeShape>(m_engine, text));
        return std::make_shared<FakeCollection<WordShape>>(std::move(shapes));
    }
    Ref<WordRange> Range() override {
        m_engine.check(QStringLiteral("Range"));
        return std::make_shared<FakeRange>(m_engine, m_body);
    }
    void SaveAs(const QString& fileName) override {
        m_engine.check(QStringLiteral("SaveAs"));
        const FakeContent content = current();
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly))
            throw AutomationError(QStringLiteral("Cannot save %1").arg(fileName));
        file.write(content.allText().toUtf8());
        m_engine.saved[fileName] = content;
    }
    void setBuiltInDocumentProperty(const QString& name, const QString& value) override {
        m_engine.check(QStringLiteral("BuiltInDocumentProperties"));
        m_engine.documentProperties[name] = value;
    }
    void AddPicture(const QString&, double, double, double, double) override {
        m_engine.check(QStringLiteral("AddPicture"));
    }
    void SetDesignColours(const std::vector<DesignColour>& colours, bool) override {
        m_engine.check(QStringLiteral("SetDesignColours"));
        m_engine.designColours = colours;
    }
    void Close(std::optional<std::int16_t>) override {
        m_engine.check(QStringLiteral("Close"));
        m_engine.calls << QStringLiteral("Close");
    }

private:
    FakeContent current() const {
        FakeContent content;
        content.body = *m_body;
        for (const Text& t : m_frames)
            content.frames << *t;
        for (const Text& t : m_shapes)
            content.shapes << *t;
        for (const Text& t : m_headers)
            content.headers << *t;
        return content;
    }

    FakeWordEngine& m_engine;
    Text m_body;
    std::vector<Text> m_frames, m_shapes, m_headers;
};

class FakeDocuments final : public WordDocuments {
public:
    FakeDocuments(FakeWordEngine& engine, Ref<WordDocument>& active)
        : m_engine(engine), m_active(active) {}
    Ref<WordDocument> Open(const QString& fileName, std::optional<bool>) override {
        m_engine.check(QStringLiteral("Open"));
        if (!QFileInfo::exists(fileName))
            throw AutomationError(QStringLiteral("This file could not be found: %1").arg(fileName));
        m_engine.opened << fileName;
        QFile file(fileName);
        m_engine.openedBytes << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        const auto saved = m_engine.saved.find(fileName);
        m_active = std::make_shared<FakeDocument>(
            m_engine, saved != m_engine.saved.end() ? saved->second : m_engine.templateContent);
        return m_active;
    }

private:
    FakeWordEngine& m_engine;
    Ref<WordDocument>& m_active;
};

class FakeApplication final : public WordApplication {
public:
    explicit FakeApplication(FakeWordEngine& engine) : m_engine(engine) {}
    Ref<WordDocuments> Documents() override {
        return std::make_shared<FakeDocuments>(m_engine, m_active);
    }
    void setDisplayAlerts(bool) override { m_engine.check(QStringLiteral("DisplayAlerts")); }
    Ref<WordDocument> ActiveDocument() override {
        m_engine.check(QStringLiteral("ActiveDocument"));
        if (!m_active)
            throw AutomationError(QStringLiteral("This command is not available because no "
                                                 "document is open."));
        return m_active;
    }
    void quit() override {
        m_engine.check(QStringLiteral("quit"));
        ++m_engine.quitCount;
        m_active.reset();
    }

private:
    FakeWordEngine& m_engine;
    Ref<WordDocument> m_active;
};

} // namespace

QString FakeContent::allText() const {
    return QStringList{body, frames.join(u'\n'), shapes.join(u'\n'), headers.join(u'\n')}.join(
        u'\n');
}

FakeWordEngine::FakeWordEngine() : picture(120, 90, QImage::Format_RGB32) {
    picture.fill(Qt::darkCyan);
    ObjectRegistry::instance().registerClass(QString::fromLatin1(kWordApplicationClass),
                                             [this]() -> Ref<WordApplication> {
                                                 check(QStringLiteral("Create"));
                                                 ++created;
                                                 return std::make_shared<FakeApplication>(*this);
                                             });
}

FakeWordEngine::~FakeWordEngine() {
    ObjectRegistry::instance().unregisterClass(QString::fromLatin1(kWordApplicationClass));
}

void FakeWordEngine::check(const QString& member) {
    if (failing.contains(member))
        throw AutomationError(QStringLiteral("The engine could not carry out %1").arg(member));
}

} // namespace lw::test
