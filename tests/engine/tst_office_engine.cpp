// The office engine module against a real office process: story ranges,
// shapes, find and replace, saving, the page picture, and the process's
// life (quit, a killed or frozen office, shutdown).

#include "brochure/BrochureProduct.h"
#include "brochure/ColourScheme.h"
#include "tests/support/OfficeProcesses.h"
#include "tests/support/PrintedPages.h"
#include "tests/support/RunResults.h"
#include "wordgen/EngineModule.h"
#include "wordgen/GenerationRun.h"
#include "wordgen/ObjectRegistry.h"
#include "wordgen/TemplateColours.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <sys/time.h>
#include <unistd.h>

using namespace lw::word;

namespace {

// The office processes this test program started, found by their pipe name.
QList<pid_t> ourOfficeProcesses() {
    return lw::test::processesWith("name=leafwright-" + QByteArray::number(getpid()) + '-');
}

bool contains(const Ref<WordRange>& range, const QString& text) {
    FindExecuteArgs args;
    args.FindText = text;
    return range->Find()->Execute(args);
}

// As the generation run calls it: the find object's settings, then Execute.
bool replaceAll(const Ref<WordRange>& range, const QString& token, const QString& value,
                bool matchCase = false) {
    Ref<WordFind> find = range->Find();
    find->ClearFormatting();
    find->Replacement()->ClearFormatting();
    find->setText(token);
    find->Replacement()->setText(value);
    find->setForward(true);
    find->setWrap(kWrapContinue);
    find->setFormat(false);
    find->setMatchCase(matchCase);
    find->setMatchWholeWord(false);
    find->setMatchWildcards(false);
    find->setMatchSoundsLike(false);
    find->setMatchAllWordForms(false);
    FindExecuteArgs args;
    args.Replace = kReplaceAll;
    return find->Execute(args);
}

// Every range of a document: its story ranges, then its shapes' texts.
QList<Ref<WordRange>> allRanges(const Ref<WordDocument>& document) {
    QList<Ref<WordRange>> ranges;
    auto stories = document->StoryRanges();
    for (int i = 1; i <= stories->Count(); ++i)
        ranges.append(stories->Item(i));
    auto shapes = document->Shapes();
    for (int i = 1; i <= shapes->Count(); ++i)
        if (shapes->Item(i)->TextFrame()->HasText())
            ranges.append(shapes->Item(i)->TextFrame()->TextRange());
    return ranges;
}

void replaceEverywhere(const Ref<WordDocument>& document, const QString& token,
                       const QString& value) {
    for (const auto& range : allRanges(document))
        replaceAll(range, token, value);
}

bool containsAnywhere(const Ref<WordDocument>& document, const QString& text) {
    for (const auto& range : allRanges(document))
        if (contains(range, text))
            return true;
    return false;
}

int nonWhitePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) != 0xffffff)
                ++count;
    return count;
}

// This test program run as a child that starts an office with its profile
// pool under cacheHome and leaves without stopping the engine; gives the
// child's process id, empty when it did not get that far.
QByteArray startAnOfficeAndLeave(const QString& cacheHome) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), cacheHome);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--start-an-office-and-leave")});
    if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        return {};
    return child.readAllStandardOutput().trimmed();
}

const QString kCompany = QStringLiteral("Café Ünïcödé 株式会社 Москва 🎉");

// Every colour code written in a flat document, in lower case.
QSet<QString> coloursIn(const QString& flatDocument) {
    QFile file(flatDocument);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QSet<QString> colours;
    static const QRegularExpression code(QStringLiteral("\"(#[0-9a-fA-F]{6})\""));
    for (const auto& match : code.globalMatch(QString::fromUtf8(file.readAll())))
        colours.insert(match.captured(1).toLower());
    return colours;
}

} // namespace

class OfficeEngineTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_folder; // a name with a blank and non-ASCII letters
    QString m_source;
    Ref<WordApplication> m_word;
    QStringList m_socketsBefore;

    Ref<WordDocument> openSource() { return m_word->Documents()->Open(m_source); }

private slots:
    void initTestCase() {
        m_socketsBefore = lw::test::handOverSockets();
        QVERIFY(m_dir.isValid());
        m_folder = m_dir.filePath(QStringLiteral("Prüfung Ω"));
        QVERIFY(QDir().mkpath(m_folder));
        m_source = m_folder + QStringLiteral("/brochure test.fodt");
        // A token in the main text (also inside a longer word and in other
        // case), in two text frames, in a drawing shape, in the header and in
        // the footer, on a landscape Letter page.
        QVERIFY(QFile::copy(
            QStringLiteral(LEAFWRIGHT_SOURCE_DIR "/tests/data/engine-test-document.fodt"),
            m_source));
        QCOMPARE(loadEngineModules(), QString());
        m_word = CreateObject(QStringLiteral("Word.Application"));
        m_word->setDisplayAlerts(false);
        QCOMPARE(ourOfficeProcesses().size(), 1);
    }

    void init() {
        if (!m_word)
            m_word = CreateObject(QStringLiteral("Word.Application"));
    }

    void cleanup() {
        try {
            if (m_word)
                m_word->quit();
        } catch (const AutomationError&) {
        }
        m_word.reset();
    }

    void listsStoryRangesAndShapes() {
        auto document = openSource();
        // Main text, the first frame only, header, footer.
        auto stories = document->StoryRanges();
        QCOMPARE(stories->Count(), 4);
        QVERIFY(contains(stories->Item(1), QStringLiteral("Welcome to")));
        QVERIFY(contains(stories->Item(2), QStringLiteral("Frame one")));
        QVERIFY(contains(stories->Item(3), QStringLiteral("Header of")));
        QVERIFY(contains(stories->Item(4), QStringLiteral("Footer")));
        QVERIFY_THROWS_EXCEPTION(AutomationError, stories->Item(5));

        // Frames and drawing shapes alike, in draw page order.
        auto shapes = document->Shapes();
        QCOMPARE(shapes->Count(), 4);
        QVERIFY(contains(shapes->Item(1)->TextFrame()->TextRange(), QStringLiteral("Frame one")));
        QVERIFY(contains(shapes->Item(2)->TextFrame()->TextRange(), QStringLiteral("Frame two")));
        QVERIFY(contains(shapes->Item(3)->TextFrame()->TextRange(), QStringLiteral("Shape:")));
        QVERIFY(!shapes->Item(4)->TextFrame()->HasText());
        QVERIFY(shapes->Item(3)->TextFrame()->HasText());
    }

    void replacesEveryOccurrenceOnlyInsideTheRange() {
        auto document = openSource();
        auto body = document->Range();
        // Any case, also inside a longer word.
        QVERIFY(replaceAll(body, QStringLiteral("[CompanyName]"), QStringLiteral("Acme")));
        QVERIFY(!contains(body, QStringLiteral("[CompanyName]")));
        QVERIFY(contains(body, QStringLiteral("Welcome to Acme. Call Acme on")));
        QVERIFY(contains(body, QStringLiteral("PreAcmePost")));
        QVERIFY(!replaceAll(body, QStringLiteral("[CompanyName]"), QStringLiteral("Acme")));

        // The frames, the shape and the header still have theirs.
        auto shapes = document->Shapes();
        for (int i = 1; i <= 3; ++i)
            QVERIFY(contains(shapes->Item(i)->TextFrame()->TextRange(),
                             QStringLiteral("[CompanyName]")));
        QVERIFY(contains(document->StoryRanges()->Item(3), QStringLiteral("[CompanyName]")));

        // Drawing shape text, which the document-wide search does not reach.
        auto shape = shapes->Item(3)->TextFrame()->TextRange();
        QVERIFY(replaceAll(shape, QStringLiteral("[CompanyName]"), QStringLiteral("Acme")));
        QVERIFY(contains(shape, QStringLiteral("Shape: Acme")));
        QVERIFY(
            contains(shapes->Item(2)->TextFrame()->TextRange(), QStringLiteral("[CompanyName]")));

        // Match case, when asked, leaves the other spelling.
        QVERIFY(replaceAll(body, QStringLiteral("[Tag]"), QStringLiteral("x"), true));
        QVERIFY(contains(body, QStringLiteral("and x and [TAG]")));
    }

    // The generation run sets up a range's find through one reference and
    // executes it through another, story by story.
    void findSettingsHoldAcrossReferencesToTheRange() {
        auto document = openSource();
        auto stories = document->StoryRanges();
        for (int i = 1; i <= stories->Count(); ++i) {
            Ref<WordRange> range = stories->Item(i);
            range->Find()->ClearFormatting();
            range->Find()->Replacement()->ClearFormatting();
            Ref<WordFind> find = range->Find();
            find->setText(QStringLiteral("[companyname]"));
            find->Replacement()->setText(QStringLiteral("Acme"));
            find->setMatchCase(false);
            FindExecuteArgs replaceAll;
            replaceAll.Replace = kReplaceAll;
            range->Find()->Execute(replaceAll);
        }
        QVERIFY(contains(stories->Item(1), QStringLiteral("Welcome to Acme")));
        QVERIFY(contains(stories->Item(3), QStringLiteral("Acme")));
        QVERIFY(!contains(stories->Item(3), QStringLiteral("[CompanyName]")));
    }

    void keepsTheFormattingOfTheToken() {
        auto document = openSource();
        QVERIFY(
            replaceAll(document->Range(), QStringLiteral("[CompanyName]"), QStringLiteral("Acme")));
        const QString odt = m_folder + QStringLiteral("/formatted.odt");
        document->SaveAs(odt);
        document->SaveAs(m_folder + QStringLiteral("/formatted.docx"));
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), odt, "content.xml"});
        QVERIFY(unzip.waitForFinished(20000));
        const QString content = QString::fromUtf8(unzip.readAllStandardOutput());
        // The bold token's value is bold; the plain one's is not.
        QVERIFY2(content.contains(QRegularExpression(
                     QStringLiteral("Welcome to <text:span [^>]*>Acme</text:span>"))),
                 qPrintable(content));
        QVERIFY(content.contains(QStringLiteral(". Call Acme on")));
        QFile docx(m_folder + QStringLiteral("/formatted.docx"));
        QVERIFY(docx.open(QIODevice::ReadOnly));
        QCOMPARE(docx.read(2), QByteArray("PK"));
    }

    void takesValuesLiterally_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("special characters")
            << QStringLiteral(R"(R&D \1 \\ $1 $& ^p ^& ( [ .* \n {x} | ?)");
        QTest::newRow("holds the token") << QStringLiteral("x[CompanyName]x");
        QTest::newRow("holds another token") << QStringLiteral("<[PhoneNo]>");
        QTest::newRow("non-Latin") << kCompany;
        QTest::newRow("40000 characters") << QString(40000, QLatin1Char('w')) + QStringLiteral("!");
        QTest::newRow("empty") << QString();
    }

    void takesValuesLiterally() {
        QFETCH(QString, value);
        auto document = openSource();
        auto body = document->Range();
        QElapsedTimer timer;
        timer.start();
        QVERIFY(replaceAll(body, QStringLiteral("[CompanyName]"), value));
        QVERIFY(timer.elapsed() < 10000);
        const QString expected = QStringLiteral("Welcome to %1. Call %1 on ").arg(value);
        QVERIFY(contains(body, expected + QStringLiteral("[PhoneNo].")));
        QVERIFY(contains(body, QStringLiteral("Pre%1Post").arg(value)));
        // Only what was there before is replaced: no second round.
        QVERIFY(!contains(body, QStringLiteral("xx[CompanyName]xx")));
        // Later text is still found at the right place after a long value.
        QVERIFY(replaceAll(body, QStringLiteral("[PhoneNo]"), QStringLiteral("555-0100")));
        QVERIFY(contains(body, QString(expected).replace(QStringLiteral("[PhoneNo]"),
                                                         QStringLiteral("555-0100")) +
                                   QStringLiteral("555-0100.")));
    }

    void savesAWordDocumentOtherReadersRead() {
        auto document = openSource();
        replaceEverywhere(document, QStringLiteral("[CompanyName]"), kCompany);
        replaceEverywhere(document, QStringLiteral("[PhoneNo]"), QStringLiteral("555-0100"));
        const QString saved = m_folder + QStringLiteral("/Brochure é.doc");
        document->SaveAs(saved);
        // The document stays open after saving.
        QVERIFY(contains(document->Range(), kCompany));
        QVERIFY_THROWS_EXCEPTION(AutomationError,
                                 document->SaveAs(m_folder + QStringLiteral("/b.txt")));
        document->Close(kDoNotSaveChanges);

        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(4), QByteArray("\xD0\xCF\x11\xE0", 4));

        auto reopened = m_word->Documents()->Open(saved, true);
        QVERIFY(!containsAnywhere(reopened, QStringLiteral("[CompanyName]")));
        QVERIFY(!containsAnywhere(reopened, QStringLiteral("[PhoneNo]")));
        QVERIFY(contains(reopened->Range(), QStringLiteral("Welcome to ") + kCompany));
        int shapesWithValue = 0;
        auto shapes = reopened->Shapes();
        for (int i = 1; i <= shapes->Count(); ++i)
            if (shapes->Item(i)->TextFrame()->HasText() &&
                contains(shapes->Item(i)->TextFrame()->TextRange(), kCompany))
                ++shapesWithValue;
        QCOMPARE(shapesWithValue, 3);

        const QString text = lw::test::textOfDoc(saved);
        QVERIFY2(text.contains(QStringLiteral("Café Ünïcödé")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Москва")));
        QVERIFY(text.contains(QStringLiteral("Frame two: Café")));
        QVERIFY(text.contains(QStringLiteral("555-0100")));
        QVERIFY(!text.contains(QStringLiteral("[CompanyName]")));
    }

    // Saved through the engine, a document carries the dates a word
    // processor gives it: changed now, and created now unless it already
    // says when it was created.
    void savingStampsTheDates() {
        const auto metaOf = [](const QString& odt) {
            QProcess unzip;
            unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), odt, "meta.xml"});
            unzip.waitForFinished(20000);
            return QString::fromUtf8(unzip.readAllStandardOutput());
        };
        const auto dateIn = [](const QString& meta, const char* element) {
            const QRegularExpression date(QStringLiteral("<%1>([^<.]+)").arg(element));
            return QDateTime::fromString(date.match(meta).captured(1), Qt::ISODate);
        };
        const QDateTime now = QDateTime::currentDateTime();

        auto undated = openSource();
        const QString first = m_folder + QStringLiteral("/undated.odt");
        undated->SaveAs(first);
        const QString meta = metaOf(first);
        QVERIFY2(qAbs(dateIn(meta, "meta:creation-date").secsTo(now)) < 600, qPrintable(meta));
        QVERIFY2(qAbs(dateIn(meta, "dc:date").secsTo(now)) < 600, qPrintable(meta));

        QFile source(m_source);
        QVERIFY(source.open(QIODevice::ReadOnly));
        QString xml = QString::fromUtf8(source.readAll());
        xml.replace(QStringLiteral("<office:automatic-styles>"),
                    QStringLiteral("<office:meta><meta:creation-date>2001-02-03T04:05:06"
                                   "</meta:creation-date></office:meta><office:automatic-styles>"));
        xml.replace(QStringLiteral(" office:version="),
                    QStringLiteral(" xmlns:meta=\"urn:oasis:names:tc:opendocument:xmlns:meta:1.0\""
                                   " office:version="));
        const QString datedSource = m_folder + QStringLiteral("/dated.fodt");
        QFile file(datedSource);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(xml.toUtf8());
        file.close();
        const QString second = m_folder + QStringLiteral("/dated.odt");
        m_word->Documents()->Open(datedSource, true)->SaveAs(second);
        const QString datedMeta = metaOf(second);
        QCOMPARE(dateIn(datedMeta, "meta:creation-date"),
                 QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
        QVERIFY2(qAbs(dateIn(datedMeta, "dc:date").secsTo(now)) < 600, qPrintable(datedMeta));
    }

    void copiesTheFirstPageAsAPicture() {
        auto document = openSource();
        QGuiApplication::clipboard()->clear();
        document->Range()->CopyAsPicture();
        const QImage picture = QGuiApplication::clipboard()->image();
        // A landscape Letter page, its longest side 596 logical pixels, each
        // of them as many pixels as the screen has (one here); its
        // resolution says so too (96 per inch).
        QCOMPARE(picture.size(), QSize(596, 461));
        QCOMPARE(picture.devicePixelRatio(), 1.0);
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(596, 461));
        QCOMPARE(picture.dotsPerMeterX(), 3780);
        QCOMPARE(picture.dotsPerMeterY(), 3780);
        QVERIFY(nonWhitePixels(picture) > 1000);
        QVERIFY(QDir::temp().entryList({QStringLiteral("leafwright-page-*")}).isEmpty());
    }

    void closingWithoutSavingLeavesTheFileAsItWas() {
        const QString copy = m_folder + QStringLiteral("/untouched.fodt");
        QVERIFY(QFile::copy(m_source, copy));
        const QByteArray before = [&] {
            QFile file(copy);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        auto document = m_word->Documents()->Open(copy);
        QVERIFY(
            replaceAll(document->Range(), QStringLiteral("[CompanyName]"), QStringLiteral("X")));
        m_word->ActiveDocument()->Close(kDoNotSaveChanges);
        QFile file(copy);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        // No lock file left beside the user's document.
        QCOMPARE(QDir(m_folder).entryList({QStringLiteral("*lock*")}, QDir::Hidden | QDir::Files),
                 QStringList());
        QVERIFY_THROWS_EXCEPTION(AutomationError, m_word->ActiveDocument());
        QVERIFY_THROWS_EXCEPTION(AutomationError, document->Range());
    }

    void failsWithADescription() {
        try {
            m_word->Documents()->Open(m_folder + QStringLiteral("/missing.doc"));
            QFAIL("opened a missing file");
        } catch (const AutomationError& error) {
            QVERIFY(error.description().contains(QStringLiteral("missing.doc")));
        }
        auto range = openSource()->Range();
        auto find = range->Find();
        find->setMatchWildcards(true);
        QVERIFY_THROWS_EXCEPTION(AutomationError, find->Execute({}));

        m_word->quit();
        try {
            m_word->Documents();
            QFAIL("a call after quit succeeded");
        } catch (const AutomationError& error) {
            QVERIFY(!error.description().isEmpty());
        }
        QVERIFY_THROWS_EXCEPTION(AutomationError, contains(range, QStringLiteral("Welcome")));
        m_word.reset();
    }

    void fillsTheShippedTemplateQuickly() {
        QTemporaryDir dir;
        const QString templateFile = dir.filePath(QStringLiteral("brochure.dot"));
        QVERIFY(QFile::copy(QString::fromLatin1(lw::kTemplateResource), templateFile));
        const QStringList tokens{"[CompanyName]", "[TagLine]",     "[StreetAddress]", "[Address2]",
                                 "[City]",        "[ST]",          "[ZIPCode]",       "[PhoneNo]",
                                 "[FaxNo]",       "[EmailAddress]"};
        QElapsedTimer timer;
        timer.start();
        auto document = m_word->Documents()->Open(templateFile, true);
        const qint64 open = timer.restart();
        auto stories = document->StoryRanges();
        for (int i = 1; i <= stories->Count(); ++i)
            for (const auto& token : tokens)
                replaceAll(stories->Item(i), token, token.mid(1, token.size() - 2) + " value");
        const qint64 storyPass = timer.restart();
        auto shapes = document->Shapes();
        for (int i = 1; i <= shapes->Count(); ++i) {
            auto frame = shapes->Item(i)->TextFrame();
            if (frame->HasText())
                for (const auto& token : tokens)
                    replaceAll(frame->TextRange(), token,
                               token.mid(1, token.size() - 2) + " value");
        }
        const qint64 shapePass = timer.restart();
        const QString saved = dir.filePath(QStringLiteral("filled.doc"));
        document->SaveAs(saved);
        document->Close(kDoNotSaveChanges);
        const qint64 save = timer.restart();
        m_word->Documents()->Open(saved, true)->Range()->CopyAsPicture();
        const qint64 picture = timer.restart();
        qInfo("warm office: open %lld ms, story pass %lld ms, shape pass %lld ms, save and close "
              "%lld ms, reopen and picture %lld ms",
              open, storyPass, shapePass, save, picture);
        const QString text = lw::test::textOfDoc(saved);
        for (const auto& token : tokens)
            QVERIFY2(!text.contains(token), qPrintable(token));
        QVERIFY(text.contains(QStringLiteral("CompanyName value")));
        QVERIFY(text.contains(QStringLiteral("EmailAddress value")));
    }

    // The company's colours are the styles', shapes' and frames' own in the
    // saved document, so another office shows them, with none of the
    // brochure's own colours left, also after other colours were set in the
    // same document before; the brochure's own colours leave it as designed.
    void recoloursTheWholeDesign() {
        QTemporaryDir dir;
        const QString templateFile = dir.filePath(QStringLiteral("brochure.dot"));
        QVERIFY(QFile::copy(QString::fromLatin1(lw::kTemplateResource), templateFile));
        const lw::ColourChoice maroon{QColor(0x8b, 0x1e, 0x3f), QColor(0xd9, 0xa1, 0x3b)};
        const lw::ColourChoice navy = *lw::schemeNamed(QStringLiteral("Navy & Coral"));
        const auto save = [&](const QString& name, const QList<lw::ColourChoice>& runs) {
            auto document = m_word->Documents()->Open(templateFile, true);
            for (const lw::ColourChoice& colours : runs) {
                QElapsedTimer timer;
                timer.start();
                document->SetDesignColours(lw::designColours(lw::brandColours(colours)),
                                           colours == lw::defaultColours());
                qInfo("colouring the design: %lld ms", timer.elapsed());
            }
            document->SaveAs(dir.filePath(name));
            document->Close(kDoNotSaveChanges);
            return dir.filePath(name);
        };
        // The office keeps the template between brochures: the brochure's
        // own colours come back whole after others.
        const QStringList documents{save(QStringLiteral("designed.doc"), {}),
                                    save(QStringLiteral("maroon.doc"), {navy, maroon}),
                                    save(QStringLiteral("own.doc"), {lw::defaultColours()})};
        const QString profile = dir.filePath(QStringLiteral("other-office"));
        QVERIFY(
            lw::test::convertWithOwnOffice(documents, QStringLiteral("fodt"), profile, dir.path()));
        QVERIFY(lw::test::convertWithOwnOffice({documents.at(1)}, QStringLiteral("pdf"), profile,
                                               dir.path()));

        const QSet<QString> designed = coloursIn(dir.filePath(QStringLiteral("designed.fodt")));
        QVERIFY(designed.contains(QStringLiteral("#14505c")));
        QCOMPARE(coloursIn(dir.filePath(QStringLiteral("own.fodt"))), designed);
        const QSet<QString> recoloured = coloursIn(dir.filePath(QStringLiteral("maroon.fodt")));
        const auto codes = [](const lw::ColourChoice& choice) {
            const lw::BrandColours colours = lw::brandColours(choice);
            QSet<QString> set;
            for (int role = 0; role < lw::kColourRoleCount; ++role)
                set.insert(QColor(colours[lw::ColourRole(role)]).name());
            return set.subtract({QStringLiteral("#ffffff"), QStringLiteral("#30353a")});
        };
        for (const QSet<QString>& gone : {codes(lw::defaultColours()), codes(navy)}) {
            const QSet<QString> left = QSet<QString>(recoloured).intersect(gone);
            QVERIFY2(left.isEmpty(), qPrintable(QStringList(left.begin(), left.end()).join(' ')));
        }
        const QSet<QString> wanted = codes(maroon);
        QVERIFY2(recoloured.contains(wanted),
                 qPrintable(QStringList(wanted.begin(), wanted.end()).join(' ')));

        // As printed by the other office: a maroon cover, no teal on either page.
        QCOMPARE(
            lw::test::mainColourProblem(
                lw::test::pagesOfPdf(dir.filePath(QStringLiteral("maroon.pdf")), 30, dir.path()),
                maroon.main.rgb()),
            QString());
    }

    // The template is kept loaded in the office between brochures, and a
    // field replaced in the whole document at once where that gives the
    // same result: every brochure made so must print exactly as one filled
    // in a freshly loaded copy, whatever came before it, including finds in
    // an order the run never makes (they are undone and made again) and a
    // logo (undone for the next).
    void aKeptTemplateFillsAsAFreshlyLoadedOne() {
        const QString kept = m_folder + QStringLiteral("/kept.dot");
        const QString fresh = m_folder + QStringLiteral("/fresh.doc"); // never kept
        for (const QString& copy : {kept, fresh})
            QVERIFY(QFile::copy(QString::fromLatin1(lw::kTemplateResource), copy));
        const QString logo = m_folder + QStringLiteral("/logo.png");
        QImage mark(120, 60, QImage::Format_ARGB32);
        mark.fill(QColor(200, 40, 120, 180));
        QVERIFY(mark.save(logo));

        using Values = std::array<QString, lw::kFieldCount>;
        const Values sample{"Tessaly",
                            "Marshbrooke",
                            "Apt 7",
                            "802-555-0147",
                            "802-555-0182",
                            "support@tessaly.com",
                            "417 Birchwoods Rd",
                            "Little Tool Shed",
                            "VT",
                            "05412"};
        Values sparse{};
        sparse[0] = QStringLiteral("Ünïcödé Bakery");
        Values holdsToken = sample;
        holdsToken[0] = QStringLiteral("[city] & [CompanyName] Co");
        holdsToken[1] = QStringLiteral("Brook [ZIPCode]");
        struct Case {
            const char* name;
            Values values;
            bool logo;
            bool oddOrder;
        };
        const std::vector<Case> cases{{"sample", sample, false, false},
                                      {"sparse with logo", sparse, true, false},
                                      {"values holding tokens", holdsToken, false, false},
                                      {"odd order", sample, false, true},
                                      {"sample again", sample, true, false}};
        const auto fill = [&](const QString& file, const Case& with, const QString& saved) {
            auto document = m_word->Documents()->Open(file, true);
            if (with.oddOrder) {
                // One shape first, with a value the run does not give.
                auto shapes = document->Shapes();
                for (int i = shapes->Count(); i >= 1; --i)
                    if (shapes->Item(i)->TextFrame()->HasText()) {
                        replaceAll(shapes->Item(i)->TextFrame()->TextRange(),
                                   QStringLiteral("[PhoneNo]"), QStringLiteral("555"));
                        break;
                    }
            }
            // As the run: each field through every story, then every field
            // through each shape's text.
            auto stories = document->StoryRanges();
            for (int field = 0; field < lw::kFieldCount; ++field)
                for (int i = 1; i <= stories->Count(); ++i)
                    replaceAll(stories->Item(i), lw::kPlaceholderTable[field].token,
                               with.values[field]);
            auto shapes = document->Shapes();
            for (int i = 1; i <= shapes->Count(); ++i)
                if (shapes->Item(i)->TextFrame()->HasText())
                    for (int field = 0; field < lw::kFieldCount; ++field)
                        replaceAll(shapes->Item(i)->TextFrame()->TextRange(),
                                   lw::kPlaceholderTable[field].token, with.values[field]);
            if (with.logo)
                document->AddPicture(logo, 8, 0.6, 2, 1);
            document->SaveAs(saved);
            document->Close(kDoNotSaveChanges);
        };
        // Counts the brochures made from the kept template.
        struct Reuses final : lw::GenerationObserver {
            int count = 0;
            void phase(const char* name) override {
                count += QByteArray(name) == "open: kept template";
            }
        } reuses;
        lw::setGenerationObserver(&reuses);
        const auto forget = qScopeGuard([] { lw::setGenerationObserver(nullptr); });
        QStringList saved;
        for (const Case& with : cases) {
            const QString name = QString::fromLatin1(with.name).replace(' ', '-');
            saved << m_folder + QStringLiteral("/%1-kept.doc").arg(name)
                  << m_folder + QStringLiteral("/%1-fresh.doc").arg(name);
            fill(kept, with, saved.at(saved.size() - 2));
            fill(fresh, with, saved.last());
        }
        // Every brochure after the first was made from the kept template (the
        // first too when a test before kept it already).
        QVERIFY2(reuses.count >= int(cases.size()) - 1, qPrintable(QString::number(reuses.count)));
        const QString printed = m_folder + QStringLiteral("/printed");
        QVERIFY(QDir().mkpath(printed));
        QVERIFY(lw::test::convertWithOwnOffice(
            saved, QStringLiteral("pdf"), m_dir.filePath(QStringLiteral("own-profile")), printed));
        for (qsizetype i = 0; i < saved.size(); i += 2) {
            const auto pdf = [&](const QString& doc) {
                return printed + QLatin1Char('/') + QFileInfo(doc).completeBaseName() +
                       QStringLiteral(".pdf");
            };
            const QString name = QFileInfo(saved[i]).completeBaseName();
            const QString text = lw::test::textOfPdf(pdf(saved[i]));
            QVERIFY2(!text.isEmpty(), qPrintable(name));
            QCOMPARE(text, lw::test::textOfPdf(pdf(saved[i + 1])));
            const auto keptPages = lw::test::pagesOfPdf(pdf(saved[i]), 50, printed);
            const auto freshPages = lw::test::pagesOfPdf(pdf(saved[i + 1]), 50, printed);
            QCOMPARE(keptPages.size(), 2);
            QCOMPARE(freshPages.size(), 2);
            for (int page = 0; page < 2; ++page)
                QVERIFY2(keptPages[page] == freshPages[page],
                         qPrintable(QStringLiteral("%1, page %2").arg(name).arg(page + 1)));
        }
    }

    void replacesAKilledOffice() {
        auto document = openSource();
        const auto before = ourOfficeProcesses();
        QCOMPARE(before.size(), 1);
        ::kill(before.first(), SIGKILL);
        QTest::qWait(200);
        try {
            contains(document->Range(), QStringLiteral("Welcome"));
            QFAIL("a call on a killed office succeeded");
        } catch (const AutomationError& error) {
            QVERIFY2(error.description().contains(QStringLiteral("word-processing engine")),
                     qPrintable(error.description()));
        }
        m_word = CreateObject(QStringLiteral("Word.Application"));
        const auto after = ourOfficeProcesses();
        QCOMPARE(after.size(), 1);
        QVERIFY(after.first() != before.first());
        QVERIFY(contains(openSource()->Range(), QStringLiteral("Welcome")));
    }

    void stopsAFrozenOffice() {
        qputenv("LEAFWRIGHT_ENGINE_CALL_TIMEOUT", "3");
        auto document = openSource();
        const auto frozen = ourOfficeProcesses();
        QCOMPARE(frozen.size(), 1);
        ::kill(frozen.first(), SIGSTOP);
        QVERIFY(lw::test::waitUntilStopped(frozen.first()));
        QElapsedTimer timer;
        timer.start();
        try {
            contains(document->Range(), QStringLiteral("Welcome"));
            QFAIL("a call on a frozen office succeeded");
        } catch (const AutomationError& error) {
            QVERIFY2(error.description().contains(QStringLiteral("stopped responding")),
                     qPrintable(error.description()));
        }
        QVERIFY(timer.elapsed() < 10000);
        ::kill(frozen.first(), SIGCONT);
        qunsetenv("LEAFWRIGHT_ENGINE_CALL_TIMEOUT");
        m_word = CreateObject(QStringLiteral("Word.Application"));
        QVERIFY(!ourOfficeProcesses().contains(frozen.first()));
        QVERIFY(contains(openSource()->Range(), QStringLiteral("Welcome")));
    }

    // However the engine is stopped, the office is gone afterwards and so is
    // the socket file of its pipe, which only the engine's stop removes (an
    // office killed by the system on our death leaves it behind).
    void leavingWithoutShutdownStillStopsTheOffice() {
        QTemporaryDir cache;
        const QByteArray childPid = startAnOfficeAndLeave(cache.path());
        QVERIFY(!childPid.isEmpty());
        QVERIFY(lw::test::waitUntilNoneWith("name=leafwright-" + childPid + '-', 5000));
        const QString itsPipes =
            QStringLiteral("OSL_PIPE_*_leafwright-%1-*").arg(QString::fromLatin1(childPid));
        QCOMPARE(QDir(QStringLiteral("/tmp")).entryList({itsPipes}, QDir::System), QStringList());
    }

    // At start-up the pool loses profiles a month unused and those beyond
    // its size, never one in use nor anything else in the folder.
    void startUpPrunesTheProfilePool() {
        QTemporaryDir cache, elsewhere;
        const QString pool = cache.filePath(QStringLiteral("leafwright"));
        const QDateTime monthsAgo = QDateTime::currentDateTime().addDays(-40);
        const auto makeFolder = [&](const QString& name, const QDateTime& modified) {
            const QString folder = pool + QLatin1Char('/') + name;
            QDir().mkpath(folder + QStringLiteral("/user"));
            QFile(folder + QStringLiteral("/user/marker")).open(QIODevice::WriteOnly);
            const timeval times[2] = {{time_t(modified.toSecsSinceEpoch()), 0},
                                      {time_t(modified.toSecsSinceEpoch()), 0}};
            ::utimes(QFile::encodeName(folder).constData(), times);
            return folder;
        };
        const QDateTime now = QDateTime::currentDateTime();
        const QString unused = makeFolder(QStringLiteral("office-profile-0"), monthsAgo);
        const QString unusedButHeld = makeFolder(QStringLiteral("office-profile-1"), monthsAgo);
        const QString recent = makeFolder(QStringLiteral("office-profile-2"), now.addDays(-2));
        const QString beyond = makeFolder(QStringLiteral("office-profile-9"), now);
        const QString beyondButHeld = makeFolder(QStringLiteral("office-profile-11"), now);
        const QString notOurs = makeFolder(QStringLiteral("notes"), monthsAgo);
        QFile(elsewhere.filePath(QStringLiteral("precious"))).open(QIODevice::WriteOnly);
        QVERIFY(QFile::link(elsewhere.path(), pool + QStringLiteral("/office-profile-12")));
        QLockFile held1(unusedButHeld + QStringLiteral(".lock"));
        QLockFile held11(beyondButHeld + QStringLiteral(".lock"));
        QVERIFY(held1.tryLock(0) && held11.tryLock(0));
        // Left behind by an owner that died, beyond the pool.
        QFile deadOwners(pool + QStringLiteral("/office-profile-14.lock"));
        QVERIFY(deadOwners.open(QIODevice::WriteOnly));
        deadOwners.write("2147483647\nleafwright\n" + QSysInfo::machineHostName().toUtf8() + '\n');
        deadOwners.close();

        const QByteArray childPid = startAnOfficeAndLeave(cache.path());
        QVERIFY(!childPid.isEmpty());
        QVERIFY(lw::test::waitUntilNoneWith("name=leafwright-" + childPid + '-', 5000));

        const auto marked = [](const QString& folder) {
            return QFile::exists(folder + QStringLiteral("/user/marker"));
        };
        QVERIFY(!marked(unused)); // removed, then made afresh for the office
        QVERIFY(QFileInfo(unused).isDir());
        // Its office skipped the graphics self-test (3 s of a start) that an
        // office runs headless on a profile with no version recorded.
        QVERIFY(!QFileInfo::exists(unused + QStringLiteral("/user/GraphicsRenderTests.log")));
        QVERIFY(!QFileInfo::exists(beyond));
        QVERIFY(!QFileInfo::exists(pool + QStringLiteral("/office-profile-14.lock")));
        for (const QString& kept : {unusedButHeld, recent, beyondButHeld, notOurs})
            QVERIFY2(marked(kept), qPrintable(kept));
        QVERIFY(QFile::exists(elsewhere.filePath(QStringLiteral("precious"))));
        QVERIFY(QFileInfo(pool + QStringLiteral("/office-profile-12")).isSymLink());
    }

    void shutdownLeavesNoOfficeBehind() {
        openSource();
        stopEngines();
        QVERIFY(ourOfficeProcesses().isEmpty());
        // Not even the socket files of the offices killed in earlier tests.
        const QString ourPipes = QStringLiteral("OSL_PIPE_*_leafwright-%1-*").arg(getpid());
        QCOMPARE(QDir(QStringLiteral("/tmp")).entryList({ourPipes}, QDir::System), QStringList());
        stopEngines(); // again: nothing to do
        QVERIFY_THROWS_EXCEPTION(AutomationError, m_word->ActiveDocument());
        // The next session starts a new office.
        m_word = CreateObject(QStringLiteral("Word.Application"));
        QCOMPARE(ourOfficeProcesses().size(), 1);
        m_word->quit();
        m_word.reset();
        stopEngines();
        QVERIFY(ourOfficeProcesses().isEmpty());
    }

    // The offices this test killed left their hand-over sockets.
    void cleanupTestCase() {
        stopEngines();
        lw::test::removeHandOverSocketsSince(m_socketsBefore);
    }
};

// Run as `tst_office_engine --start-an-office-and-leave`, the program starts
// an office, says its own process id and returns from main without stopping
// the engine: the way a process leaves when something calls exit().
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--start-an-office-and-leave"))) {
        if (!loadEngineModules().isEmpty())
            return 1;
        CreateObject(QStringLiteral("Word.Application"));
        std::printf("%d\n", int(getpid()));
        return 0;
    }
    OfficeEngineTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_office_engine.moc"
