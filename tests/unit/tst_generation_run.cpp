#include "brochure/BrochureProduct.h"
#include "shell/BitmapFile.h"
#include "shell/FileRoutines.h"
#include "tests/support/ExpectedReports.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/FakeWord.h"
#include "tests/support/TestHome.h"
#include "wordgen/GenerationRun.h"
#include "wordgen/PageSnapshot.h"
#include "wordgen/WorkingFiles.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace lw;

namespace {

// The windows around a run, recorded.
class RecordingHost final : public GenerationHost {
public:
    RecordingHost() {
        for (int i = 0; i < kFieldCount; ++i)
            texts << QString();
    }
    bool& busy() override { return busyFlag; }
    void setPointer(PointerState state) override { pointers << int(state); }
    QString fieldToken(int index) override {
        return QString::fromLatin1(kPlaceholderTable.at(std::size_t(index)).token);
    }
    QString fieldText(int index) override { return texts.at(index); }
    void loadPreviewPicture(const QString& path) override {
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        picture = reader.read();
        if (picture.isNull())
            throw Failure(QStringLiteral("Cannot load the picture"));
        events << "picture";
    }
    void setPreviewWordFile(const QString& path) override {
        wordFile = path;
        events << "word file";
    }
    void showPreview() override { events << "show"; }
    void hideMainWindow() override { events << "hide"; }

    bool busyFlag = false;
    QStringList texts;
    QList<int> pointers;
    QStringList events;
    QImage picture;
    QString wordFile;
};

const char* const kAllTokens = "[CompanyName] [City] [Address2] [PhoneNo] [FaxNo] "
                               "[EmailAddress] [StreetAddress] [TagLine] [ST] [ZIPCode]";

QStringList tempEntries(const test::TestHome& home) {
    return test::entriesBesideRecord(home.tempPath());
}

} // namespace

class GenerationRunTest : public QObject {
    Q_OBJECT
    test::TestHome home;
private slots:
    void init() {
        home.reset();
        QGuiApplication::clipboard()->clear();
    }

    void wholeRunFillsEveryPlaceAndHandsOverToThePreview() {
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        engine.templateContent.body = QStringLiteral("body [companyname]");
        engine.templateContent.frames = {QString::fromLatin1(kAllTokens),
                                         QStringLiteral("Call [CompanyName] at [PHONENO]")};
        engine.templateContent.shapes = {QStringLiteral("shape [City]")};
        engine.templateContent.headers = {QStringLiteral("header [ST]")};
        RecordingHost host;
        host.texts[0] = QStringLiteral("Acme [City]"); // replaced again when [City]'s turn comes
        host.texts[1] = QStringLiteral("Springfield");
        host.texts[3] = QStringLiteral("555 & $1 \\n");
        host.texts[8] = QStringLiteral("[CompanyName]"); // a lower index stays as typed

        RunGeneration(host);

        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n---\n")));
        QVERIFY(!host.busyFlag);
        QCOMPARE(host.pointers, QList<int>({11, 0}));
        QCOMPARE(host.events, QStringList({"picture", "word file", "show", "hide"}));
        QVERIFY(QRegularExpression(QStringLiteral("^tmpout[1-9]{8}\\.doc$"))
                    .match(QFileInfo(host.wordFile).fileName())
                    .hasMatch());
        QCOMPARE(QFileInfo(host.wordFile).absolutePath(), home.tempPath());
        QVERIFY(QFile::exists(host.wordFile));
        const test::FakeContent& saved = engine.saved.at(host.wordFile);
        QCOMPARE(saved.body, QStringLiteral("body Acme Springfield"));
        QCOMPARE(saved.frames.at(1), QStringLiteral("Call Acme Springfield at 555 & $1 \\n"));
        QCOMPARE(saved.shapes.at(0), QStringLiteral("shape Springfield"));
        QCOMPARE(saved.headers.at(0), QStringLiteral("header [CompanyName]"));
        QVERIFY(!saved.frames.at(0).contains(QStringLiteral("[ZIPCode]")));
        QCOMPARE(host.picture.size(), engine.picture.size());
        // Only the working document stays: template and snapshot are gone.
        QCOMPARE(tempEntries(home), QStringList({QFileInfo(host.wordFile).fileName()}));
        QCOMPARE(engine.created, 2);
        QCOMPARE(engine.quitCount, 2);
    }

    void engineThatCannotStartReportsEveryWordStepAndStillReachesTheEnd() {
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        engine.failOn(QStringLiteral("Create"));
        RecordingHost host;
        RunGeneration(host);

        QList<int> expected = QList<int>{110, 114} + test::storyPassWithoutADocument();
        expected << 154 << 156;
        for (int i = 0; i < kFieldCount; ++i)
            expected << 160;
        expected << 164 << 182 << 184 << 186 << 188;
        // The snapshot's own report, then the missing picture.
        const QList<int> lines = prompts.errorLines();
        QCOMPARE(lines.mid(0, expected.size()), expected);
        QCOMPARE(lines.mid(expected.size()), QList<int>({116, 118, 120, 122, 124, 126, 198}));
        QVERIFY(prompts.errors.last().contains("Form1.PushButton6_Click at line 198"));
        QVERIFY(prompts.errors.at(expected.size()).contains("Form1.SaveDocAsJPG at line 116"));
        QVERIFY(!host.busyFlag);
        QCOMPARE(host.events, QStringList({"word file", "show", "hide"}));
        QVERIFY(tempEntries(home).isEmpty());
    }

    void failingSaveIsReportedAndTheRunGoesOn() {
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        engine.templateContent.frames = {QString::fromLatin1(kAllTokens)};
        engine.failOn(QStringLiteral("SaveAs"));
        RecordingHost host;
        RunGeneration(host);
        // Nothing to open for the snapshot, so its steps fail too.
        QCOMPARE(prompts.errorLines(), QList<int>({182, 118, 120, 122, 124, 198}));
        QVERIFY(!host.busyFlag);
    }

    void clipboardThatNeverYieldsAPictureIsAskedAThousandTimes() {
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        engine.templateContent.frames = {QString::fromLatin1(kAllTokens)};
        engine.failOn(QStringLiteral("CopyAsPicture"));
        int attempts = 0;
        QVERIFY(GetClipboardPicture(0, &attempts).isNull());
        QCOMPARE(attempts, kClipboardAttempts);

        RecordingHost host;
        RunGeneration(host);
        QCOMPARE(prompts.errorLines(), QList<int>({120, 122, 198}));
        QVERIFY(prompts.errors.at(1).contains("Form1.SaveDocAsJPG at line 122"));
        QVERIFY(!host.busyFlag);
    }

    void readableClipboardIsAskedOnce() {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QGuiApplication::clipboard()->setImage(image);
        int attempts = 0;
        QCOMPARE(GetClipboardPicture(0, &attempts).size(), QSize(4, 4));
        QCOMPARE(attempts, 1);
    }

    void pressDuringARunDoesNothing() {
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        RecordingHost host;
        host.busyFlag = true;
        RunGeneration(host);
        QCOMPARE(engine.created, 0);
        QVERIFY(host.events.isEmpty());
        QVERIFY(host.pointers.isEmpty());
        QVERIFY(host.busyFlag);
        QVERIFY(prompts.errors.isEmpty());
    }

    void fileAlreadyNamedTemplateIsNeitherUsedNorDeleted() {
        QFile resource(QString::fromLatin1(kTemplateResource));
        QVERIFY(resource.open(QIODevice::ReadOnly));
        const QByteArray shipped = resource.readAll();
        const QString templatePath = home.tempPath() + QStringLiteral("/template.dot");
        const QString victim = home.path() + QStringLiteral("/victim");
        // A user's own file, a link to someone else's, a copy of the shipped
        // bytes: each stays as it was, and the run opens a file of its own.
        const QList<QByteArray> planted{"mine", "link", shipped};
        for (const QByteArray& kind : planted) {
            test::FakePrompts prompts;
            test::FakeWordEngine engine;
            QFile::remove(templatePath);
            QFile target(kind == "link" ? victim : templatePath);
            QVERIFY(target.open(QIODevice::WriteOnly));
            target.write(kind == "link" ? "keep" : kind);
            target.close();
            if (kind == "link")
                QVERIFY(QFile::link(victim, templatePath));
            RecordingHost host;
            RunGeneration(host);
            QVERIFY(prompts.errors.isEmpty());
            QVERIFY(engine.opened.first() != templatePath);
            QCOMPARE(engine.openedBytes.first(), shipped);
            QVERIFY(!QFile::exists(engine.opened.first()));
            QFile after(templatePath);
            QVERIFY(after.open(QIODevice::ReadOnly));
            QCOMPARE(after.readAll(), kind == "link" ? QByteArray("keep") : kind);
        }
        QFile::remove(templatePath);
    }

    void templateIsWrittenWholeAndOnlyOnce() {
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        QFile resource(QString::fromLatin1(kTemplateResource));
        QVERIFY(resource.open(QIODevice::ReadOnly));
        const QByteArray expected = resource.readAll();
        QVERIFY(expected.startsWith("\xD0\xCF\x11\xE0"));
        RecordingHost host;
        RunGeneration(host);
        QCOMPARE(engine.openedBytes.first(), expected);

        // Create-only: a name that is taken, even by a dangling link, is never
        // written through.
        const QString target = home.tempPath() + QStringLiteral("/elsewhere");
        const QString link = home.tempPath() + QStringLiteral("/planted.dot");
        QVERIFY(QFile::link(target, link));
        QVERIFY_THROWS_EXCEPTION(Failure, SaveBytesToFile(expected, link));
        QVERIFY(!QFile::exists(target));
        const QString fresh = home.tempPath() + QStringLiteral("/fresh.dot");
        SaveBytesToFile(expected, fresh);
        QFile copy(fresh);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), expected);
    }

    // temp.bmp has a name every instance sharing the folder uses.
    void snapshotIsOursAloneWhateverElseTakesItsName() {
        const QString victim = home.path() + QStringLiteral("/victim");
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep");
        file.close();
        const QString snapshot = home.tempPath() + QStringLiteral("/temp.bmp");
        QVERIFY(QFile::link(victim, snapshot));
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        const auto ours = savePictureReplacing(picture, snapshot);
        QVERIFY(!QFileInfo(snapshot).isSymLink());
        QCOMPARE(QImage(snapshot).size(), QSize(8, 6));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("keep"));
        QCOMPARE(QDir(home.tempPath()).entryList(QDir::Files).size(), 1);

        // Another instance writes its page under the name, or deletes ours:
        // this one still reads back its own page, and deletes no other's.
        QImage theirs(5, 5, QImage::Format_RGB32);
        theirs.fill(Qt::red);
        const auto other = savePictureReplacing(theirs, snapshot);
        QCOMPARE(readBitmap(*ours).pixel(0, 0), QColor(Qt::blue).rgb());
        deleteIfStillHeld(snapshot, *ours);
        QCOMPARE(QImage(snapshot).size(), QSize(5, 5));
        deleteIfStillHeld(snapshot, *other);
        QVERIFY(!QFile::exists(snapshot));
        QCOMPARE(readBitmap(*ours).size(), QSize(8, 6));
        QCOMPARE(QDir(home.tempPath()).entryList(QDir::Files), QStringList());
    }

    void workingDocumentNameDigitsRunFromOneToNine() {
        QSet<int> seen;
        for (int i = 0; i < 2000; ++i) {
            const int digit = drawNameDigit(*QRandomGenerator::global());
            QVERIFY2(digit >= 1 && digit <= 9, qPrintable(QString::number(digit)));
            seen.insert(digit);
        }
        QCOMPARE(seen.size(), 9);
    }

    void unsetTempUsesAPrivateFolder() {
        qunsetenv("TEMP");
        const QString folder = temporaryFolder();
        QVERIFY(!folder.isEmpty());
        QVERIFY(folder != QStringLiteral("/"));
        QCOMPARE(QFileInfo(folder).permissions() &
                     (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());
        QCOMPARE(temporaryPath(QStringLiteral("temp.bmp")), folder + QStringLiteral("/temp.bmp"));
        qputenv("TEMP", "");
        QCOMPARE(temporaryFolder(), folder);
    }
};

QTEST_MAIN(GenerationRunTest)
#include "tst_generation_run.moc"
