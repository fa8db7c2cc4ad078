#pragma once

#include "wordgen/WordObjects.h"

#include <QImage>
#include <QSet>
#include <QStringList>
#include <map>
#include <memory>

namespace lw::test {

// What a fake document holds: the main text, text frames, drawing shapes with
// text, and headers. The first frame is also a story range, as in the real
// engine.
struct FakeContent {
    QString body;
    QStringList frames;
    QStringList shapes;
    QStringList headers;
    // Everything, for looking for tokens and values.
    QString allText() const;
};

// An in-memory engine registered as "Word.Application" for its lifetime. Any
// member can be made to fail by name ("Create", "Open", "StoryRanges",
// "Shapes", "Find", "Execute", "SaveAs", "Close", "DisplayAlerts", "quit",
// "Range", "CopyAsPicture", "ActiveDocument", "HasText", "TextRange",
// "BuiltInDocumentProperties", "AddPicture", "SetDesignColours").
class FakeWordEngine {
public:
    FakeWordEngine();
    ~FakeWordEngine();

    void failOn(const QString& member) { failing.insert(member); }
    void check(const QString& member);

    FakeContent templateContent;
    QImage picture;
    QSet<QString> failing;
    QStringList calls;
    int created = 0;
    int quitCount = 0;
    // The content written by SaveAs, by path.
    std::map<QString, FakeContent> saved;
    // The design's colours last set.
    std::vector<word::DesignColour> designColours;
    // The document properties last set, by name.
    std::map<QString, QString> documentProperties;
    QStringList opened;
    // The bytes of each file as it was when opened.
    QList<QByteArray> openedBytes;
};

} // namespace lw::test
