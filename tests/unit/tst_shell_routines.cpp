#include "shell/AppInfo.h"
#include "shell/Colours.h"
#include "shell/CursorFile.h"
#include "shell/Failure.h"
#include "shell/FileRoutines.h"
#include "shell/SkinFramework.h"
#include "shell/WindowPointer.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace lw;

class ShellRoutinesTest : public QObject {
    Q_OBJECT
private slots:
    void shortTitleDropsTheLastWordUntilShortEnough() {
        QCOMPARE(shortTitle(QStringLiteral("Leafwright")), QStringLiteral("Leafwright"));
        QCOMPARE(shortTitle(QStringLiteral("Leafwright Brochure Maker")),
                 QStringLiteral("Leafwright Brochure"));
        const QString longTitle =
            QStringLiteral("Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota Kappa");
        const QString cut = shortTitle(longTitle);
        QVERIFY(cut.size() <= 40);
        QCOMPARE(cut, QStringLiteral("Alpha Beta Gamma Delta Epsilon Zeta Eta"));
        QCOMPARE(shortTitle(QString(50, QLatin1Char('x'))), QString(50, QLatin1Char('x')));
    }

    void pathExistsAndQuietDelete() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.txt"));
        QVERIFY(!PathExists(file));
        QVERIFY(!PathExists(QString()));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(PathExists(file));
        QVERIFY(PathExists(dir.path()));
        DeleteFileQuietly(file);
        QVERIFY(!PathExists(file));
        DeleteFileQuietly(file);       // missing: no failure
        DeleteFileQuietly(dir.path()); // a folder: no failure, still there
        DeleteFileQuietly(QString());
        QVERIFY(PathExists(dir.path()));
        QVERIFY_THROWS_EXCEPTION(Failure, DeleteFileOrFail(file));
    }

    void cursorFileGivesImageAndHotspot() {
        const QCursor cursor =
            loadCursorFile(QStringLiteral(LEAFWRIGHT_SOURCE_DIR "/resources/HAND-M.CUR"));
        QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
        QCOMPARE(cursor.hotSpot(), QPoint(6, 0));
        QTemporaryDir dir;
        QFile junk(dir.filePath(QStringLiteral("junk.cur")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a cursor at all, not even close");
        junk.close();
        QVERIFY_THROWS_EXCEPTION(Failure, loadCursorFile(junk.fileName()));
        QVERIFY_THROWS_EXCEPTION(Failure, loadCursorFile(dir.filePath(QStringLiteral("none"))));
    }

    void hoverRulesNeverReplaceTheBusyPointer() {
        QWidget window;
        WindowPointer pointer(&window);
        pointer.hoverButton();
        QCOMPARE(pointer.state(), PointerState::Custom);
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor); // no hand loaded
        pointer.hoverBackground();
        QCOMPARE(pointer.state(), PointerState::Default);
        pointer.set(PointerState::Busy);
        pointer.hoverButton();
        pointer.hoverBackground();
        QCOMPARE(pointer.state(), PointerState::Busy);
        QCOMPARE(window.cursor().shape(), Qt::WaitCursor);
        pointer.set(PointerState::Default);
        pointer.setCustomCursor(QCursor(Qt::PointingHandCursor));
        pointer.hoverButton();
        QCOMPARE(window.cursor().shape(), Qt::PointingHandCursor);
    }

    void faceColourReachesFramesAndLabelsOnly() {
        QWidget window;
        auto* frame = new QGroupBox(&window);
        auto* label = new QLabel(frame);
        auto* edit = new QLineEdit(frame);
        setBackColour(label, kWhite);
        ApplyFaceColour(&window);
        QCOMPARE(backColour(&window), kButtonFace);
        QCOMPARE(backColour(frame), kButtonFace);
        QCOMPARE(backColour(label), kButtonFace);
        QCOMPARE(backColour(edit), 0u);
        QCOMPARE(colourFromValue(0x00332211), QColor(0x11, 0x22, 0x33));
        QCOMPARE(colourFromValue(kButtonFace), QApplication::palette().color(QPalette::Button));
    }

    void skinIsAppliedInOrderOnlyWhenTheFileIsThere() {
        QTemporaryDir dir;
        QWidget window;
        auto* label = new QLabel(&window);
        setBackColour(label, kWhite);
        setBackColour(&window, kWhite);
        SkinFramework skin;
        const QString skinFile = dir.filePath(QStringLiteral("o.cjs"));
        ApplySkin(&window, skin, skinFile);
        QVERIFY(skin.callLog().isEmpty());
        QCOMPARE(backColour(label), kWhite);

        QFile file(skinFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("QWidget { color: #123456; }");
        file.close();
        ApplySkin(&window, skin, skinFile);
        QCOMPARE(skin.callLog(),
                 QStringList({"invoke 2", "get 1", "set 1", "set 5", "set 10", "invoke 3"}));
        QCOMPARE(skin.property(1).toInt() & 1, 1);
        QCOMPARE(window.styleSheet(), QStringLiteral("QWidget { color: #123456; }"));
        QCOMPARE(backColour(&window), kButtonFace);
        QCOMPARE(backColour(label), kButtonFace);

        // A folder of that name is no skin file.
        QTemporaryDir other;
        QVERIFY(QDir(other.path()).mkdir(QStringLiteral("o.cjs")));
        SkinFramework untouched;
        ApplySkin(&window, untouched, other.filePath(QStringLiteral("o.cjs")));
        QVERIFY(untouched.callLog().isEmpty());
    }
};

QTEST_MAIN(ShellRoutinesTest)
#include "tst_shell_routines.moc"
