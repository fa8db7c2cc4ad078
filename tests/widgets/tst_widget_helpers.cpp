#include "shell/AppInfo.h"
#include "shell/Failure.h"
#include "ui/Colours.h"
#include "ui/CursorFile.h"
#include "ui/SkinFramework.h"
#include "ui/WindowPointer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace lw;

// The small helpers both windows are built with: cursor file, pointer
// states, colours and the skin.
class WidgetHelpersTest : public QObject {
    Q_OBJECT
private slots:
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

    // Title bars, task switchers and docks each find a picture drawn for
    // their size; the largest is the size a software centre shows.
    void windowIconHasEveryRenderedSize() {
        QList<QSize> sizes = applicationIcon().availableSizes();
        std::sort(sizes.begin(), sizes.end(),
                  [](QSize a, QSize b) { return a.width() < b.width(); });
        QList<QSize> expected;
        for (int side : {16, 22, 24, 32, 48, 64, 128, 256})
            expected.append(QSize(side, side));
        QCOMPARE(sizes, expected);
        const QImage largest = applicationIcon().pixmap(QSize(256, 256)).toImage();
        QCOMPARE(largest.size(), QSize(256, 256));
        QCOMPARE(qAlpha(largest.pixel(0, 0)), 0);       // the tile's rounded corner
        QCOMPARE(qAlpha(largest.pixel(128, 128)), 255); // the leaf
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

QTEST_MAIN(WidgetHelpersTest)
#include "tst_widget_helpers.moc"
