#include "brochure/ColourScheme.h"
#include "brochure/FieldStore.h"
#include "brochure/LogoStore.h"
#include "shell/AppInfo.h"
#include "shell/ProgramEnd.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/FakeWord.h"
#include "tests/support/TestHome.h"
#include "ui/Colours.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "wordgen/IsInstalled.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace lw;

class Form1Test : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir programFolder;

private slots:
    void initTestCase() {
        setProgramFolderForTesting(programFolder.path());
        setProgramExitForTesting([](int) {});
    }
    void init() {
        home.reset();
        QDir(programFolder.path()).removeRecursively();
        QDir().mkpath(programFolder.path());
    }

    void layoutFollowsTheDesign() {
        Form1 form;
        QCOMPARE(form.size(), QSize(536, 318));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(form.Frame1()->geometry(), QRect(8, 74, 520, 237));
        QCOMPARE(form.Frame1()->title(), QStringLiteral("Brochure Data"));
        QCOMPARE(form.Text1(0)->geometry(), QRect(112, 20, 393, 25));
        QCOMPARE(form.Text1(8)->geometry(), QRect(336, 140, 36, 25));
        QCOMPARE(form.Text1(9)->geometry(), QRect(440, 140, 65, 25));
        QCOMPARE(form.Label2(9)->text(), QStringLiteral("Zip Code:"));
        QCOMPARE(form.Label2(9)->geometry(), QRect(384, 143, 52, 15));
        QCOMPARE(form.PushButton6()->geometry(), QRect(8, 8, 520, 27));
        QCOMPARE(form.PushButton6()->text(), QStringLiteral("Start Creating Template"));
        QCOMPARE(form.PushButton3()->geometry(), QRect(8, 42, 256, 27));
        QCOMPARE(form.PushButton4()->geometry(), QRect(272, 42, 256, 27));
        QCOMPARE(form.PushButton4()->text(), QStringLiteral("Load Sample/Example Data"));
        QCOMPARE(form.PushButton6()->font().pointSizeF(), 11.25);
        QVERIFY(form.PushButton6()->font().bold());
        QCOMPARE(form.font().family(), QStringLiteral("Arial"));
        QCOMPARE(form.font().pointSizeF(), 9.0);
        QCOMPARE(backColour(&form), kWhite);
        QCOMPARE(backColour(form.Label2(0)), kWhite);
        QCOMPARE(form.Text1(9)->property("Tag").toString(), QStringLiteral("[ZIPCode]"));
    }

    // A paste far beyond a line edit's usual 32,767 characters is kept
    // whole, and its line breaks become spaces in the text itself: what the
    // field shows is what is stored and what the brochure gets.
    void pastedTextIsKeptWholeOnOneLine() {
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        Form1 form;
        form.Form_Load();
        const QString longText(40000, QLatin1Char('x'));
        QGuiApplication::clipboard()->setText(longText + QStringLiteral("\r\nSuite 5\nRear"));
        form.Text1(2)->setFocus();
        QTest::keyClick(form.Text1(2), Qt::Key_V, Qt::ControlModifier);
        const QString shown = longText + QStringLiteral(" Suite 5 Rear");
        QCOMPARE(form.Text1(2)->text(), shown);
        QCOMPARE(form.Text1(2)->cursorPosition(), shown.size());
        QCOMPARE(QSettings(home.settingsFile(), QSettings::IniFormat)
                     .value("Leafwright/Text1_2")
                     .toString(),
                 shown);
        form.Text1(4)->setText(QStringLiteral("802\u2028555"));
        QCOMPARE(FieldStore::read(4), QStringLiteral("802 555"));
    }

    void tabRunsDownTheFormSelectingEachField() {
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        Form1 form;
        for (int i = 0; i < kFieldCount; ++i)
            form.Text1(i)->setText(QStringLiteral("value %1").arg(i));
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Text1(0)->setFocus(Qt::TabFocusReason);
        const QList<int> order{0, 7, 6, 2, 1, 8, 9, 3, 4, 5};
        for (int k = 0; k < order.size(); ++k) {
            QLineEdit* field = form.Text1(order.at(k));
            QTRY_VERIFY(field->hasFocus());
            QTRY_COMPARE(field->selectedText(), field->text());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QTRY_VERIFY(form.PushButton6()->hasFocus());
        QTest::keyClick(form.PushButton6(), Qt::Key_Tab);
        QTRY_VERIFY(form.PushButton3()->hasFocus());

        // A click selects the whole text too.
        QTest::mouseClick(form.Text1(5), Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_COMPARE(form.Text1(5)->selectedText(), QStringLiteral("value 5"));
    }

    void everyChangeIsStoredAndRestoredAtStartUp() {
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        {
            Form1 form;
            form.Form_Load();
            QTest::keyClicks(form.Text1(0), QStringLiteral("Acme"));
            QCOMPARE(QSettings(home.settingsFile(), QSettings::IniFormat)
                         .value("Leafwright/Text1_0")
                         .toString(),
                     QStringLiteral("Acme"));
            form.Text1(4)->setText(QStringLiteral("fax"));
            form.Text1(4)->clear();
        }
        FieldStore::write(7, QStringLiteral("Since 1990"));
        Form1 again;
        again.Form_Load();
        QCOMPARE(again.Text1(0)->text(), QStringLiteral("Acme"));
        QCOMPARE(again.Text1(7)->text(), QStringLiteral("Since 1990"));
        QCOMPARE(again.Text1(4)->text(), QString());
        QVERIFY(
            QSettings(home.settingsFile(), QSettings::IniFormat).contains("Leafwright/Text1_4"));
        QCOMPARE(again.Text1(2)->text(), QString());
        QCOMPARE(again.windowTitle(), QStringLiteral("Leafwright"));
        QCOMPARE(applicationTitle(), QStringLiteral("Leafwright"));
        QVERIFY(prompts.errors.isEmpty());
        QVERIFY(prompts.messages.isEmpty());
        // The check started the engine once and quit it.
        QCOMPARE(engine.created, 2);
        QCOMPARE(engine.quitCount, 2);
    }

    void clearAndSampleSetEveryFieldAndItsStoredValue() {
        Form1 form;
        form.Text1(3)->setText(QStringLiteral("typed"));
        form.PushButton4()->click();
        for (const BrochureField& field : kPlaceholderTable) {
            QCOMPARE(form.Text1(field.index)->text(), QString::fromUtf8(field.sample));
            QCOMPARE(FieldStore::read(field.index), QString::fromUtf8(field.sample));
        }
        form.PushButton4()->click();
        QCOMPARE(form.Text1(9)->text(), QStringLiteral("05412"));
        form.PushButton3()->click();
        for (int i = 0; i < kFieldCount; ++i) {
            QCOMPARE(form.Text1(i)->text(), QString());
            QCOMPARE(FieldStore::read(i), QString());
        }
        QVERIFY(!form.Text1(0)->hasFocus());
    }

    // Ctrl+Z wherever the focus is, without moving it; each value put back
    // is stored again. Typing after a command leaves Ctrl+Z to the field.
    void undoPutsBackTheValuesBeforeACommandOnce() {
        test::FakePrompts prompts;
        Form1 form;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        for (int i = 0; i < kFieldCount; ++i)
            form.Text1(i)->setText(QStringLiteral("typed %1").arg(i));
        const auto holdTyped = [&] {
            for (int i = 0; i < kFieldCount; ++i)
                if (form.Text1(i)->text() != QStringLiteral("typed %1").arg(i) ||
                    FieldStore::read(i) != QStringLiteral("typed %1").arg(i))
                    return false;
            return true;
        };
        const auto undoKey = [] {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        };

        form.Text1(2)->setFocus();
        QTRY_VERIFY(form.Text1(2)->hasFocus());
        form.PushButton4()->click();
        form.PushButton4()->click(); // nothing new: the way back stays
        QCOMPARE(FieldStore::read(0), QStringLiteral("Tessaly"));
        undoKey();
        QVERIFY(holdTyped());
        QVERIFY(form.Text1(2)->hasFocus());
        undoKey(); // once only
        QVERIFY(holdTyped());

        QTest::mouseClick(form.PushButton3(), Qt::LeftButton);
        QCOMPARE(FieldStore::read(5), QString());
        undoKey();
        QVERIFY(holdTyped());
        QVERIFY(form.PushButton3()->hasFocus());

        form.PushButton4()->click();
        QTest::keyClick(form.Text1(0), Qt::Key_End);
        QTest::keyClicks(form.Text1(0), QStringLiteral("!"));
        QTest::keyClick(form.Text1(0), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form.Text1(0)->text(), QStringLiteral("Tessaly"));
        QCOMPARE(form.Text1(7)->text(), QStringLiteral("Little Tool Shed"));
        QVERIFY(!form.canUndoDataCommand());
        QVERIFY(prompts.errors.isEmpty());
    }

    // Kept businesses. The fields the window shows become the first profile,
    // the settings file untouched; a new profile keeps what the window shows;
    // switching brings back every field (into the settings keys), the logo
    // and the colours, in which the brochure is made; Ctrl+Z undoes each
    // command; the last profile stays; a restart shows the profile left.
    void profilesHoldEverythingTheWindowShows() {
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        for (int i = 0; i < kFieldCount; ++i)
            FieldStore::write(i, QStringLiteral("Acme %1").arg(i));
        const auto settingsFile = [&] {
            QFile file(home.settingsFile());
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray settingsBefore = settingsFile();
        const auto picture = [](Qt::GlobalColor colour) {
            QImage image(8, 8, QImage::Format_RGB32);
            image.fill(colour);
            QBuffer bytes;
            bytes.open(QIODevice::WriteOnly);
            image.save(&bytes, "PNG");
            return StoredLogo{bytes.data(), QStringLiteral("png")};
        };
        QCOMPARE(storeLogo(picture(Qt::red)), QString());
        const auto coverColour = [&] {
            for (const word::DesignColour& colour : engine.designColours)
                if (colour.name == QLatin1String("Cover Card"))
                    return QRgb(0xff000000 | colour.rgb);
            return QRgb(0);
        };
        const QString acme = QStringLiteral("Acme 0");
        const QString birch = QStringLiteral("Birch, Pine & Ünïcode Co");
        const ColourChoice maroon{QColor(0x8b, 0x1e, 0x3f), QColor(0xd9, 0xa1, 0x3b)};
        const ColourChoice navy = *schemeNamed(QStringLiteral("Navy & Coral"));

        Form1 form;
        const auto fieldsAre = [&](const QString& prefix) {
            for (int i = 0; i < kFieldCount; ++i)
                if (form.Text1(i)->text() != prefix + QString::number(i) ||
                    FieldStore::read(i) != prefix + QString::number(i))
                    return false;
            return true;
        };
        form.Form_Load();
        QCOMPARE(settingsFile(), settingsBefore);
        QCOMPARE(form.profiles().names(), QStringList({acme}));
        QCOMPARE(form.activeProfile(), acme);
        QVERIFY(form.colours() == defaultColours());
        form.changeColours(maroon);
        QCOMPARE(coverColour(), maroon.main.rgb());

        form.newProfile(birch);
        QCOMPARE(form.activeProfile(), birch);
        QVERIFY(form.colours() == maroon);
        for (int i = 0; i < kFieldCount; ++i)
            form.Text1(i)->setText(QStringLiteral("Birch %1").arg(i));
        form.changeColours(navy);
        form.changeLogo(std::nullopt);
        Form2::instance().hide();

        form.switchProfile(QStringLiteral("acme 0"));
        QCOMPARE(form.activeProfile(), acme);
        QVERIFY(fieldsAre(QStringLiteral("Acme ")));
        QCOMPARE(readStoredLogo()->bytes, picture(Qt::red).bytes);
        QVERIFY(form.colours() == maroon);
        QCOMPARE(form.accessibleDescription(),
                 QStringLiteral("Profile: Acme 0. Colours: main colour #8B1E3F, accent #D9A13B."));
        form.PushButton6_Click();
        QCOMPARE(coverColour(), maroon.main.rgb());
        Form2::instance().hide();
        form.undoDataCommand();
        QCOMPARE(form.activeProfile(), birch);
        QVERIFY(fieldsAre(QStringLiteral("Birch ")));
        QVERIFY(!readStoredLogo());
        QVERIFY(form.colours() == navy);

        form.renameProfile(birch, QStringLiteral(" Birch & Co "));
        QCOMPARE(form.profiles().names(), QStringList({acme, QStringLiteral("Birch & Co")}));
        form.undoDataCommand();
        QCOMPARE(form.activeProfile(), birch);
        form.deleteProfile(birch);
        QCOMPARE(form.profiles().names(), QStringList({acme}));
        QVERIFY(fieldsAre(QStringLiteral("Acme ")));
        form.deleteProfile(acme); // the last one stays
        QCOMPARE(form.profiles().names(), QStringList({acme}));
        form.undoDataCommand();
        QCOMPARE(form.profiles().names(), QStringList({acme, birch}));
        QCOMPARE(form.activeProfile(), birch);
        QVERIFY(fieldsAre(QStringLiteral("Birch ")));

        Form1 again;
        again.Form_Load();
        QCOMPARE(again.activeProfile(), birch);
        QVERIFY(again.colours() == navy);
        QCOMPARE(again.Text1(0)->text(), QStringLiteral("Birch 0"));
        // The settings store holds the ten fields the window shows, nothing else.
        QStringList keys;
        for (int i = 0; i < kFieldCount; ++i)
            keys << QStringLiteral("Leafwright/Text1_%1").arg(i);
        QStringList stored = QSettings(home.settingsFile(), QSettings::IniFormat).allKeys();
        stored.sort();
        keys.sort();
        QCOMPARE(stored, keys);
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join('\n')));
        QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.messages.join('\n')));
    }

    void noEngineShowsTheMessageAndEndsTheProgram() {
        test::FakePrompts prompts;
        int exitCode = -1;
        setProgramExitForTesting([&](int code) { exitCode = code; });
        Form1 form;
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, form.Form_Load());
        QCOMPARE(exitCode, 0);
        QCOMPARE(prompts.messages, QStringList({wordMissingMessage()}));
        QVERIFY(prompts.errors.isEmpty());
        // What this platform needs, not Word, under the same number.
        const QStringList paragraphs = wordMissingMessage().split(QStringLiteral("\r\n\r\n"));
        QCOMPARE(paragraphs.size(), 5);
        QCOMPARE(paragraphs.first(), QStringLiteral("Error 842001. A normal instance of "
                                                    "LibreOffice Writer could not be created."));
        for (int k = 1; k < paragraphs.size(); ++k)
            QVERIFY(paragraphs.at(k).startsWith(QStringLiteral("%1. ").arg(k)));
        QVERIFY(
            paragraphs.at(1).contains(QStringLiteral("libreoffice-writer and libreoffice-draw")));
        QVERIFY(!wordMissingMessage().contains(QStringLiteral("Word ")));
        setProgramExitForTesting([](int) {});
    }

    void failingQuitDoesNotStopTheStartUp() {
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        engine.failOn(QStringLiteral("quit"));
        Form1 form;
        form.Form_Load();
        QVERIFY(prompts.messages.isEmpty());
        QVERIFY(prompts.errors.isEmpty());
        QCOMPARE(engine.created, 1);
    }

    void handPointerOverButtonsUnlessBusy() {
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        QFile::copy(QStringLiteral(LEAFWRIGHT_SOURCE_DIR "/resources/HAND-M.CUR"),
                    programFolder.filePath(QStringLiteral("HAND-M.CUR")));
        Form1 form;
        form.Form_Load();
        QVERIFY(form.pointer().hasCustomCursor());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseMove(form.PushButton3(), QPoint(10, 10));
        QTRY_COMPARE(form.pointer().state(), PointerState::Custom);
        QCOMPARE(form.cursor().hotSpot(), QPoint(6, 0));
        QTest::mouseMove(form.Frame1(), QPoint(3, 230));
        QTRY_COMPARE(form.pointer().state(), PointerState::Default);
        form.pointer().set(PointerState::Busy);
        QTest::mouseMove(form.PushButton6(), QPoint(10, 10));
        QTest::mouseMove(&form, QPoint(530, 312));
        QTest::qWait(20);
        QCOMPARE(form.pointer().state(), PointerState::Busy);
    }

    void skinFileBesideTheProgramIsApplied() {
        test::FakePrompts prompts;
        test::FakeWordEngine engine;
        {
            Form1 plain;
            plain.Form_Load();
            QVERIFY(plain.SkinFramework1().callLog().isEmpty());
            QCOMPARE(backColour(plain.Label2(3)), kWhite);
            QVERIFY(!plain.pointer().hasCustomCursor());
        }
        QDir(programFolder.path()).mkpath(QStringLiteral("x"));
        QFile skin(programFolder.filePath(QStringLiteral("x/o.cjs")));
        QVERIFY(skin.open(QIODevice::WriteOnly));
        skin.write("QPushButton { background: #e8f0f0; }");
        skin.close();
        Form1 skinned;
        skinned.Form_Load();
        QCOMPARE(skinned.SkinFramework1().callLog().first(), QStringLiteral("invoke 2"));
        QCOMPARE(skinned.SkinFramework1().callLog().last(), QStringLiteral("invoke 3"));
        QVERIFY(skinned.styleSheet().contains("#e8f0f0"));
        QCOMPARE(backColour(skinned.Label2(3)), kButtonFace);
        QVERIFY(prompts.errors.isEmpty());
    }
};

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
