// Saving the brochure where it cannot go, after a real run: a clear report,
// whatever was at the target stays as it was, and saving elsewhere still works.
#include "shell/ProgramEnd.h"
#include "tests/support/EngineRunFixture.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/OfficeProcesses.h"
#include "tests/support/RunResults.h"
#include "tests/support/SmallDisk.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "wordgen/EngineModule.h"

#include <QTest>

using namespace lw;

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

const QByteArray kOldBrochure = "last year's brochure, the only copy";

} // namespace

class SaveTargetTest : public QObject {
    Q_OBJECT
    test::EngineRunFixture fixture;
    std::unique_ptr<Form1> m_form;
    QString m_working;
    QByteArray m_workingBytes;
    QString m_targets;

    // One failing save: one report, at the copy, that names the target.
    void saveFails(test::FakePrompts& prompts, const QString& target) {
        Form2::instance().PushButton6_Click();
        QCOMPARE(prompts.errorLines(), QList<int>({114}));
        const QString description = test::descriptionsOf(prompts.errors).first();
        QVERIFY2(description.contains(target) && !description.endsWith(QStringLiteral(": ")),
                 qPrintable(description));
        QVERIFY(prompts.messages.isEmpty()); // no "Done."
    }
    // The program goes on: the working document is whole and saves elsewhere.
    void saveStillWorks() {
        QCOMPARE(contentOf(m_working), m_workingBytes);
        test::FakePrompts prompts;
        const QString target = m_targets + QStringLiteral("/good.doc");
        QFile::remove(target);
        prompts.saveAnswers << target;
        Form2::instance().PushButton6_Click();
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));
        QCOMPARE(prompts.messages, QStringList({QStringLiteral("Done.")}));
        QCOMPARE(contentOf(target), m_workingBytes);
    }

private slots:
    void initTestCase() {
        QCOMPARE(fixture.startEngine(), QString());
        test::FakePrompts prompts;
        m_form = test::EngineRunFixture::sampleWindow();
        m_form->PushButton6_Click();
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));
        m_working = Form2::instance().mWordFile;
        m_workingBytes = contentOf(m_working);
        QVERIFY(m_workingBytes.startsWith("\xD0\xCF\x11\xE0"));
        m_targets = fixture.home.path() + QStringLiteral("/targets");
        QVERIFY(QDir().mkpath(m_targets));
    }
    void cleanupTestCase() {
        Form2::instance().PushButton8_Click();
        QVERIFY(!QFile::exists(m_working));
        m_form.reset();
        QVERIFY(fixture.stopEngine());
    }

    void targetInsideAFile() {
        const QString notes = m_targets + QStringLiteral("/notes.txt");
        QVERIFY(writeFile(notes, kOldBrochure));
        const QString target = notes + QStringLiteral("/brochure.doc");
        test::FakePrompts prompts;
        prompts.saveAnswers << target;
        saveFails(prompts, target);
        QVERIFY(prompts.questions.isEmpty());
        QCOMPARE(contentOf(notes), kOldBrochure);
        saveStillWorks();
    }

    void targetIsAFolder() {
        const QString folder = m_targets + QStringLiteral("/brochures");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(folder + QStringLiteral("/inside.doc"), kOldBrochure));
        test::FakePrompts prompts;
        prompts.saveAnswers << folder;
        prompts.yesNoAnswers << true;
        saveFails(prompts, folder);
        QCOMPARE(prompts.questions.size(), 1); // it exists: overwrite was asked
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(entriesOf(folder), QStringList({QStringLiteral("inside.doc")}));
        QCOMPARE(contentOf(folder + QStringLiteral("/inside.doc")), kOldBrochure);
        saveStillWorks();
    }

    // Overwriting an existing brochure on a disk with no room for the new one.
    void existingTargetOnAFullDisk() {
        test::SmallDisk disk(fixture.home.path() + QStringLiteral("/small"), QStringLiteral("1m"));
        if (!disk.mounted())
            QSKIP(qPrintable(QStringLiteral("cannot mount a small disk: ") + disk.problem()));
        const QString target = disk.path() + QStringLiteral("/brochure.doc");
        QVERIFY(writeFile(target, kOldBrochure));
        QVERIFY(disk.fill());
        test::FakePrompts prompts;
        prompts.saveAnswers << target;
        prompts.yesNoAnswers << true;
        saveFails(prompts, target);
        QCOMPARE(contentOf(target), kOldBrochure);
        QCOMPARE(entriesOf(disk.path()),
                 QStringList({QStringLiteral("brochure.doc"), QStringLiteral("filler")}));
        saveStillWorks();
    }
};

QTEST_MAIN(SaveTargetTest)
#include "tst_save_target.moc"
