// Saving the working document under the user's name, going back and closing.
#include "brochure/BrochureProduct.h"
#include "preview/PreviewExit.h"
#include "preview/SaveResults.h"
#include "shell/Failure.h"
#include "tests/support/FakePrompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace lw;

namespace {

// Bytes that a text-mode copy or an encoding step would spoil.
const QByteArray kWorkingBytes = QByteArray("\xD0\xCF\x11\xE0\x00\r\n\x1A\xFF", 9).repeated(9000);

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class PreviewSaveTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void savesToANewName();
    void overwriteAsksAndReplacesOnYes();
    void overwriteNoChangesNothing();
    void cancelCopiesNothing();
    void nameWithoutExtensionIsUsedAsTyped();
    void savesTwice();
    void failedCopyKeepsTheOldFile();
    void failedCopyOntoAFolderIsReported();
    void pdfByFilterOrByName();
    void backDeletesTheWorkingDocument();
    void backReportsAFailedDelete();
    void closeDeletesQuietly();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_working;
    QString path(const QString& name) const { return m_dir->filePath(name); }
};

void PreviewSaveTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_working = path("tmpout12345678.doc");
    writeFile(m_working, kWorkingBytes);
}

void PreviewSaveTest::savesToANewName() {
    test::FakePrompts prompts;
    prompts.saveAnswers << path("brochure.doc");
    saveResultsToWordFile(m_working);
    // Word first, so it is what the dialog offers unless the user picks PDF.
    QCOMPARE(prompts.saveDialogs,
             QStringList{"Save File|Word Files (*.doc)|*.doc|PDF Files (*.pdf)|*.pdf|"
                         "PDF for a print shop (*.pdf)|*.pdf|"
                         "PDF for a print shop, with crop and fold marks (*.pdf)|*.pdf"});
    QVERIFY(prompts.questions.isEmpty());
    QCOMPARE(readAll(path("brochure.doc")), kWorkingBytes);
    QCOMPARE(prompts.messages, QStringList{"Done."});
    QVERIFY(prompts.errors.isEmpty());
}

void PreviewSaveTest::overwriteAsksAndReplacesOnYes() {
    test::FakePrompts prompts;
    const QString target = path("brochure.doc");
    writeFile(target, "an older brochure that is longer than nothing");
    prompts.saveAnswers << target;
    prompts.yesNoAnswers << true;
    saveResultsToWordFile(m_working);
    QCOMPARE(prompts.questions, QStringList{"Are you sure you wish to overwrite " + target + " ?"});
    QCOMPARE(readAll(target), kWorkingBytes);
    QCOMPARE(prompts.messages, QStringList{"Done."});
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 2);
}

void PreviewSaveTest::overwriteNoChangesNothing() {
    test::FakePrompts prompts;
    const QString target = path("brochure.doc");
    writeFile(target, "keep me");
    prompts.saveAnswers << target;
    prompts.yesNoAnswers << false;
    saveResultsToWordFile(m_working);
    QCOMPARE(prompts.questions.size(), 1);
    QCOMPARE(readAll(target), QByteArray("keep me"));
    QVERIFY(prompts.messages.isEmpty());
    QVERIFY(prompts.errors.isEmpty());
}

void PreviewSaveTest::cancelCopiesNothing() {
    test::FakePrompts prompts;
    saveResultsToWordFile(m_working);
    QCOMPARE(prompts.saveDialogs.size(), 1);
    QVERIFY(prompts.questions.isEmpty());
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"tmpout12345678.doc"});
}

void PreviewSaveTest::nameWithoutExtensionIsUsedAsTyped() {
    test::FakePrompts prompts;
    prompts.saveAnswers << path("brochure");
    saveResultsToWordFile(m_working);
    QCOMPARE(readAll(path("brochure")), kWorkingBytes);
    QVERIFY(!QFile::exists(path("brochure.doc")));
}

void PreviewSaveTest::savesTwice() {
    test::FakePrompts prompts;
    prompts.saveAnswers << path("one.doc") << path("two.doc");
    saveResultsToWordFile(m_working);
    saveResultsToWordFile(m_working);
    QCOMPARE(readAll(path("one.doc")), kWorkingBytes);
    QCOMPARE(readAll(path("two.doc")), kWorkingBytes);
    QCOMPARE(readAll(m_working), kWorkingBytes);
    QCOMPARE(prompts.messages.size(), 2);
}

void PreviewSaveTest::failedCopyKeepsTheOldFile() {
    test::FakePrompts prompts;
    const QString target = path("brochure.doc");
    writeFile(target, "the only copy of last year's brochure");
    QFile::remove(m_working);
    prompts.saveAnswers << target;
    prompts.yesNoAnswers << true;
    saveResultsToWordFile(m_working);

    QCOMPARE(prompts.errors.size(), 1);
    QVERIFY(prompts.errors[0].contains(m_working));
    QVERIFY(prompts.errors[0].contains("\r\nin Leafwright2021/08/31.Form2.PushButton6_Click "
                                       "at line 114\r\r"));
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(readAll(target), QByteArray("the only copy of last year's brochure"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{"brochure.doc"});
}

void PreviewSaveTest::failedCopyOntoAFolderIsReported() {
    test::FakePrompts prompts;
    const QString target = path("folder");
    QVERIFY(QDir(m_dir->path()).mkdir("folder"));
    writeFile(target + "/inside.txt", "x");
    prompts.saveAnswers << target;
    prompts.yesNoAnswers << true;
    saveResultsToWordFile(m_working);
    QCOMPARE(prompts.errorLines(), QList<int>{114});
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(readAll(target + "/inside.txt"), QByteArray("x"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{"tmpout12345678.doc"});
}

// The PDF filter, or a name ending in .pdf under the Word filter, makes a
// PDF; a print shop's filters make a print shop's PDF, with marks from the
// second, and its warnings follow "Done."; a PDF that cannot be made leaves
// the file there as it was and says so.
void PreviewSaveTest::pdfByFilterOrByName() {
    test::FakePrompts prompts;
    QStringList written;
    const PdfWriter writer = [&](const QString& document, const QString& target) {
        if (target.endsWith("broken.pdf"))
            throw Failure("Cannot write " + target + ": Disk full");
        written << QFileInfo(document).fileName() + " -> " + QFileInfo(target).fileName();
        writeFile(target, "%PDF");
    };
    const PrintShopWriter printShop = [&](const QString& document, const QString& target,
                                          bool marks) {
        written << QFileInfo(document).fileName() + " -> " + QFileInfo(target).fileName() +
                       (marks ? " with marks" : " for a print shop");
        writeFile(target, "%PDF");
        return marks ? QStringList{"The logo prints at 210 ppi"} : QStringList();
    };
    writeFile(path("broken.pdf"), "last year's PDF");
    prompts.saveAnswers << path("by-filter") << path("by-name.PDF") << path("broken.pdf")
                        << path("plain.doc") << path("shop.pdf") << path("marked.pdf");
    prompts.saveFilterAnswers << kPdfFilterIndex << 0 << kPdfFilterIndex << 0
                              << kPrintShopFilterIndex << kPrintShopMarksFilterIndex;
    prompts.yesNoAnswers << true;
    for (int i = 0; i < 6; ++i)
        saveResultsToWordFile(m_working, writer, printShop);
    QCOMPARE(written,
             QStringList({"tmpout12345678.doc -> by-filter", "tmpout12345678.doc -> by-name.PDF",
                          "tmpout12345678.doc -> shop.pdf for a print shop",
                          "tmpout12345678.doc -> marked.pdf with marks"}));
    QCOMPARE(readAll(path("plain.doc")), kWorkingBytes);
    QCOMPARE(prompts.messages, QStringList({"Done.", "Done.", "Done.", "Done.", "Done.",
                                            "The logo prints at 210 ppi"}));
    QCOMPARE(prompts.errorLines(), QList<int>{114});
    QVERIFY(prompts.errors[0].startsWith("Cannot write " + path("broken.pdf") +
                                         ": Disk full\r\nThe file that was there is unchanged."));
    QCOMPARE(readAll(path("broken.pdf")), QByteArray("last year's PDF"));
}

void PreviewSaveTest::backDeletesTheWorkingDocument() {
    test::FakePrompts prompts;
    QStringList order;
    backToMainWindow(
        m_working, [&] { order << "show main"; }, [&] { order << "hide"; });
    QVERIFY(!QFile::exists(m_working));
    QCOMPARE(order, QStringList({"show main", "hide"}));
    QVERIFY(prompts.errors.isEmpty());
}

void PreviewSaveTest::backReportsAFailedDelete() {
    test::FakePrompts prompts;
    // A folder under the working document's name cannot be deleted as a file.
    const QString folder = path("tmpout00000000.doc");
    QVERIFY(QDir(m_dir->path()).mkdir("tmpout00000000.doc"));
    QStringList order;
    backToMainWindow(
        folder, [&] { order << "show main"; }, [&] { order << "hide"; });
    QCOMPARE(prompts.errorLines(), QList<int>{100});
    QVERIFY(prompts.errors[0].contains("Form2.PushButton8_Click "));
    QCOMPARE(order, QStringList({"show main", "hide"}));
}

void PreviewSaveTest::closeDeletesQuietly() {
    test::FakePrompts prompts;
    discardOnClose(m_working);
    QVERIFY(!QFile::exists(m_working));
    discardOnClose(m_working);
    QVERIFY(prompts.errors.isEmpty());
}

QTEST_GUILESS_MAIN(PreviewSaveTest)
#include "tst_preview_save.moc"
