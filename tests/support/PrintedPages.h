#pragma once

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <tuple>

// A saved document as it prints: converted to PDF by a separate office of the
// test's own, read back with poppler's pdftotext and rendered with pdftoppm.
namespace lw::test {

// Runs a program to its end within the time; its standard output, or a null
// string when it could not run, timed out (it is then killed) or failed.
inline QString runTool(const QString& program, const QStringList& arguments,
                       int milliseconds = 60000) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return {};
    if (!process.waitForFinished(milliseconds)) {
        process.kill(); // our own child, by its handle
        process.waitForFinished(5000);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    return output.isNull() ? QStringLiteral("") : output;
}

// Converts documents with one headless office on a profile folder of the
// caller's own, never the user's; each output lands in outFolder under the
// document's base name. True when every output exists.
inline bool convertWithOwnOffice(const QStringList& documents, const QString& format,
                                 const QString& profile, const QString& outFolder) {
    QStringList arguments{QStringLiteral("--headless"),
                          QStringLiteral("--invisible"),
                          QStringLiteral("--norestore"),
                          QStringLiteral("--nologo"),
                          QStringLiteral("--nodefault"),
                          QStringLiteral("--nolockcheck"),
                          QStringLiteral("-env:UserInstallation=file://") + profile,
                          QStringLiteral("--convert-to"),
                          format,
                          QStringLiteral("--outdir"),
                          outFolder};
    arguments += documents;
    if (runTool(QStringLiteral("soffice"), arguments, 120000).isNull())
        return false;
    const QString extension = format.section(QLatin1Char(':'), 0, 0);
    for (const QString& document : documents)
        if (!QFileInfo::exists(outFolder + QLatin1Char('/') +
                               QFileInfo(document).completeBaseName() + QLatin1Char('.') +
                               extension))
            return false;
    return true;
}

// The printed text of a PDF in reading order, one text line per line.
inline QString textOfPdf(const QString& pdf) {
    return runTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
}

// The pages of a PDF as pictures at the resolution given; up to lastPage
// when it is not 0.
inline QList<QImage> pagesOfPdf(const QString& pdf, int dotsPerInch, const QString& work,
                                int lastPage = 0) {
    const QString prefix = work + QLatin1Char('/') + QFileInfo(pdf).completeBaseName();
    QStringList arguments{QStringLiteral("-r"), QString::number(dotsPerInch),
                          QStringLiteral("-png")};
    if (lastPage > 0)
        arguments << QStringLiteral("-l") << QString::number(lastPage);
    if (runTool(QStringLiteral("pdftoppm"), arguments << pdf << prefix).isNull())
        return {};
    QList<QImage> pages;
    const QFileInfo base(prefix);
    const QStringList files =
        QDir(base.path())
            .entryList({base.fileName() + QStringLiteral("-*.png")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        pages << QImage(base.path() + QLatin1Char('/') + file);
    return pages;
}

// Pixels that are not pure white in a band of the given width along every
// edge of a page.
inline int inkInMargin(const QImage& page, int band) {
    int count = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const bool inBand =
                x < band || y < band || x >= page.width() - band || y >= page.height() - band;
            if (inBand && (page.pixel(x, y) & 0xffffff) != 0xffffff)
                ++count;
        }
    return count;
}

// Pixels of a page within a few steps of a colour on every channel.
inline int pixelsNear(const QImage& page, QRgb colour, int steps = 16) {
    int count = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb pixel = page.pixel(x, y);
            count += std::abs(qRed(pixel) - qRed(colour)) < steps &&
                     std::abs(qGreen(pixel) - qGreen(colour)) < steps &&
                     std::abs(qBlue(pixel) - qBlue(colour)) < steps;
        }
    return count;
}

// Why a brochure's pages do not print in the main colour given: its cover
// not mostly that colour, or the brochure's own teal or dark teal left on a
// page. Empty when they do.
inline QString mainColourProblem(const QList<QImage>& pages, QRgb main) {
    if (pages.size() != 2)
        return QStringLiteral("%1 pages").arg(pages.size());
    for (const QImage& page : pages)
        for (QRgb teal : {QRgb(0xff14505c), QRgb(0xff0e3c45)})
            if (const int left = pixelsNear(page, teal))
                return QStringLiteral("%1 pixels of %2 left").arg(left).arg(teal, 0, 16);
    const QImage& outside = pages.first();
    const QImage cover =
        outside.copy(outside.width() * 3 / 4, 0, outside.width() / 5, outside.height());
    if (pixelsNear(cover, main) < cover.width() * cover.height() / 3)
        return QStringLiteral("the cover is not mostly %1").arg(main, 0, 16);
    return {};
}

// The text without the direction marks pdftotext puts around right-to-left
// runs, with no-break blanks as blanks and page breaks as line breaks.
inline QString plainPrintedText(const QString& printed) {
    QString text;
    for (const QChar c : printed) {
        const char16_t u = c.unicode();
        if (u == 0x200e || u == 0x200f || (u >= 0x202a && u <= 0x202e) ||
            (u >= 0x2066 && u <= 0x2069))
            continue;
        text += u == 0x00a0 ? QChar(u' ') : u == u'\f' ? QChar(u'\n') : c;
    }
    return text;
}

inline bool hasRightToLeft(const QString& value) {
    for (const QChar c : value)
        if (c.direction() == QChar::DirR || c.direction() == QChar::DirAL)
            return true;
    return false;
}

// True when the value stands whole in the printed text, allowing for how a
// wrapped value comes out of pdftotext: a blank may turn into a line break,
// and a line may break inside a word that is too long for it. pdftotext puts
// the words of a right-to-left value in display order and may drop the blank
// at a change of direction, so such a value only has to have all its words
// within as many consecutive lines as it has words.
inline bool printedWhole(const QString& printed, const QString& value) {
    const QString text = plainPrintedText(printed);
    const QStringList words = value.simplified().split(QLatin1Char(' '));
    if (hasRightToLeft(value)) {
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (qsizetype first = 0; first < lines.size(); ++first) {
            const QString run = lines.mid(first, words.size()).join(QLatin1Char(' '));
            if (std::all_of(words.begin(), words.end(),
                            [&](const QString& word) { return run.contains(word); }))
                return true;
        }
        return false;
    }
    QString pattern;
    for (qsizetype w = 0; w < words.size(); ++w) {
        if (w > 0)
            pattern += QStringLiteral("\\s+");
        const QString& word = words.at(w);
        for (qsizetype c = 0; c < word.size(); ++c) {
            if (c > 0)
                pattern += QStringLiteral("\\n?");
            pattern += QRegularExpression::escape(word.at(c));
        }
    }
    return text.contains(QRegularExpression(pattern));
}

// The printed lines, each with its blanks simplified, empty lines left out.
inline QStringList printedLines(const QString& printed) {
    QStringList lines;
    for (const QString& line : plainPrintedText(printed).split(QLatin1Char('\n')))
        if (!line.simplified().isEmpty())
            lines << line.simplified();
    return lines;
}

// A printed line with its place: page (1 first), column (the third of the
// page's width where it starts, 0 to 2) and its top and bottom in points.
struct PrintedLine {
    int page = 0;
    int column = 0;
    double top = 0;
    double bottom = 0;
    QString text;
};

// The lines of a PDF from pdftotext's word boxes, top to bottom in each
// column of each page.
inline QList<PrintedLine> printedLineBoxes(const QString& pdf) {
    const QString boxes =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression item(
        QStringLiteral("<page width=\"([\\d.]+)\"|<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                       "xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    struct Word {
        int page, column;
        double left, top, bottom;
        QString text;
    };
    QList<Word> words;
    int page = 0;
    double third = 1;
    for (const auto& match : item.globalMatch(boxes)) {
        if (!match.captured(1).isEmpty()) {
            ++page;
            third = match.captured(1).toDouble() / 3;
            continue;
        }
        QString text = match.captured(5);
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&apos;"), QStringLiteral("'"))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        const double left = match.captured(2).toDouble();
        words.append({page, qBound(0, int(left / third), 2), left, match.captured(3).toDouble(),
                      match.captured(4).toDouble(), text});
    }
    std::stable_sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
        return std::tie(a.page, a.column, a.top, a.left) <
               std::tie(b.page, b.column, b.top, b.left);
    });
    QList<PrintedLine> lines;
    QList<QPair<double, QString>> pieces; // the current line's words by position
    const auto finish = [&] {
        std::sort(pieces.begin(), pieces.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        QStringList texts;
        for (const auto& piece : pieces)
            texts << piece.second;
        lines.back().text = texts.join(QLatin1Char(' '));
        pieces.clear();
    };
    for (const Word& word : words) {
        const bool sameLine = !lines.isEmpty() && lines.back().page == word.page &&
                              lines.back().column == word.column &&
                              word.top < (lines.back().top + lines.back().bottom) / 2;
        if (!sameLine) {
            if (!lines.isEmpty())
                finish();
            lines.append({word.page, word.column, word.top, word.bottom, {}});
        }
        lines.back().bottom = qMax(lines.back().bottom, word.bottom);
        pieces.append({word.left, word.text});
    }
    if (!lines.isEmpty())
        finish();
    return lines;
}

// Where lines that hold values follow each other with more space between
// them than one and a half of their height, as an empty line of a left-out
// value would leave: the two lines, for each such place. A line counts as
// one of the brochure's own when the same column prints it with every field
// empty.
inline QStringList gapsBetweenValues(const QList<PrintedLine>& lines,
                                     const QList<PrintedLine>& ownLines) {
    const auto isOwn = [&](const PrintedLine& line) {
        return std::any_of(ownLines.begin(), ownLines.end(), [&](const PrintedLine& own) {
            return own.page == line.page && own.column == line.column && own.text == line.text;
        });
    };
    QStringList gaps;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const PrintedLine& above = lines.at(i - 1);
        const PrintedLine& below = lines.at(i);
        if (above.page != below.page || above.column != below.column || isOwn(above) ||
            isOwn(below))
            continue;
        if (below.top - above.top > 1.5 * (above.bottom - above.top))
            gaps << QStringLiteral("\"%1\" / \"%2\": %3 pt apart, %4 pt high")
                        .arg(above.text, below.text)
                        .arg(below.top - above.top, 0, 'f', 1)
                        .arg(above.bottom - above.top, 0, 'f', 1);
    }
    return gaps;
}

// Printed lines that make no sense on their own: a lone punctuation mark or
// symbol, a label with nothing after it ("Fax", "Phone:"), a blank before a
// full stop or comma ("at ."), empty brackets.
inline QStringList brokenLines(const QString& printed) {
    static const QStringList labels{
        QStringLiteral("phone"),    QStringLiteral("tel"),     QStringLiteral("telephone"),
        QStringLiteral("fax"),      QStringLiteral("e-mail"),  QStringLiteral("email"),
        QStringLiteral("mail"),     QStringLiteral("address"), QStringLiteral("visit us"),
        QStringLiteral("call"),     QStringLiteral("call us"), QStringLiteral("write"),
        QStringLiteral("write us"), QStringLiteral("cell"),    QStringLiteral("mobile"),
        QStringLiteral("web")};
    static const QRegularExpression dangling(
        QStringLiteral("\\s[.,;:!?]|[,;]\\s*[.,;]|\\(\\s*\\)"));
    QStringList broken;
    for (const QString& line : printedLines(printed)) {
        bool onlyMarks = true;
        for (const QChar c : line)
            if (!(c.isPunct() || c.isSymbol() || c.isSpace()))
                onlyMarks = false;
        QString bare = line.toLower();
        while (!bare.isEmpty() && (bare.back().isPunct() || bare.back().isSpace()))
            bare.chop(1);
        if (onlyMarks || line.endsWith(QLatin1Char(':')) || labels.contains(bare) ||
            line.contains(dangling))
            broken << line;
    }
    return broken;
}

} // namespace lw::test
