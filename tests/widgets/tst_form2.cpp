// The preview window on the offscreen platform: its design, the view on
// screen, zoom, scroll and drag, the pointer rules, back and close.
#include "shell/AppInfo.h"
#include "shell/ProgramEnd.h"
#include "tests/support/FakePrompts.h"
#include "ui/Colours.h"
#include "ui/Form2.h"
#include "ui/MainWindow.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

using namespace lw;

namespace {

// Left half red, right half blue, a black band along the top.
QImage patternImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height, Qt::red);
    painter.fillRect(width / 2, 0, width - width / 2, height, Qt::blue);
    painter.fillRect(0, 0, width, height / 10, Qt::black);
    return image;
}

void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// A document of two pages as the engine exports it: the first white, the
// second green.
QByteArray twoPagePdf() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageOrientation(QPageLayout::Landscape);
    writer.setPageMargins(QMarginsF());
    QPainter painter(&writer);
    // Page 1 as patternImage() draws it, as the snapshot of a run shows the
    // document's first page; page 2 green.
    const int width = writer.width(), height = writer.height();
    painter.fillRect(QRect(-50, -50, width / 2 + 50, height + 100), Qt::red);
    painter.fillRect(QRect(width / 2, -50, width - width / 2 + 50, height + 100), Qt::blue);
    painter.fillRect(QRect(-50, -50, width + 100, height / 10 + 50), Qt::black);
    writer.newPage();
    painter.fillRect(QRect(-50, -50, width + 100, height + 100), Qt::green);
    painter.end();
    return bytes;
}

void hover(QWidget* widget, QPoint at = QPoint(2, 2)) {
    sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

} // namespace

class Form2Test : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;

private slots:
    void initTestCase() {
        setProgramFolderForTesting(m_folder.path());
        setProgramExitForTesting([](int code) { throw ProgramEnded{code}; });
    }

    void layoutFollowsTheDesign() {
        Form2 form;
        QCOMPARE(form.size(), QSize(656, 626));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(form.windowTitle(), QStringLiteral("Leafwright"));
        QCOMPARE(form.font().family(), QStringLiteral("Arial"));
        QCOMPARE(form.font().pointSizeF(), 9.0);
        QVERIFY(form.font().bold());

        QCOMPARE(form.Picture2()->geometry(), QRect(8, 8, 622, 495));
        QCOMPARE(form.Picture2()->client()->geometry(), QRect(2, 2, 618, 491));
        QCOMPARE(form.Picture1()->parentWidget(), form.Picture2()->client());
        QCOMPARE(form.Picture1()->pos(), QPoint(0, 0));
        QCOMPARE(form.VScroll1()->geometry(), QRect(630, 8, 17, 495));
        QCOMPARE(form.HScroll1()->geometry(), QRect(8, 503, 622, 17));
        QCOMPARE(form.Frame1()->geometry(), QRect(8, 524, 640, 57));
        QCOMPARE(form.Frame1()->title(), QStringLiteral("Zoom:"));
        QCOMPARE(form.PushButton1()->parentWidget(), form.Frame1());
        QCOMPARE(form.PushButton1()->geometry(), QRect(16, 20, 296, 27));
        QCOMPARE(form.PushButton2()->geometry(), QRect(320, 20, 304, 27));
        QCOMPARE(form.PushButton6()->geometry(), QRect(328, 590, 320, 27));
        QCOMPARE(form.PushButton8()->geometry(), QRect(8, 590, 312, 27));
        QCOMPARE(form.PushButton1()->text(), QStringLiteral("Zoom In"));
        QCOMPARE(form.PushButton2()->text(), QStringLiteral("Zoom Out"));
        QCOMPARE(form.PushButton6()->text(), QStringLiteral("Save Results To Word File"));
        QCOMPARE(form.PushButton8()->text(), QStringLiteral("< Back"));
        QCOMPARE(form.PushButton8()->font().pointSizeF(), 11.25);
        QCOMPARE(form.PushButton8()->property("lwBackColour").toUInt(), kWhite);

        // Zoom_Ori lies right of the client area and is never shown.
        QVERIFY(form.Zoom_Ori()->x() >= form.width());
        form.setPicture(patternImage(40, 30));
        form.show();
        QVERIFY(form.Zoom_Ori()->isHidden());
        QVERIFY(!form.rect().intersects(form.Zoom_Ori()->geometry()));

        for (QWidget* box :
             {static_cast<QWidget*>(form.Picture1()), static_cast<QWidget*>(form.Picture2()),
              static_cast<QWidget*>(form.Zoom_Ori())})
            QVERIFY(box->property("lwPictureBox").toBool());
        // Loaded: the window and its frame in button face, the viewport white.
        QCOMPARE(backColour(&form), kButtonFace);
        QCOMPARE(backColour(form.Frame1()), kButtonFace);
        QCOMPARE(backColour(form.Picture2()), kWhite);
    }

    void tabOrderFollowsTabIndex() {
        Form2 form;
        form.setPicture(patternImage(700, 600)); // both bars enabled
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.HScroll1()->setFocus();
        QCOMPARE(QApplication::focusWidget(), form.HScroll1());
        const QList<QWidget*> expected{form.VScroll1(),    form.PushButton1(), form.PushButton2(),
                                       form.PushButton6(), form.PushButton8(), form.HScroll1()};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void showingPreparesTheView() {
        Form2 form;
        const QImage snapshot = patternImage(400, 300);
        form.setPicture(snapshot);
        QCOMPARE(form.Picture1()->size(), QSize(400, 300));
        form.Show();
        QVERIFY(!form.view().firstActivate());
        QCOMPARE(form.view().zoom(), 1.0f);
        QCOMPARE(form.view().baseWidth(), 5998);
        QCOMPARE(form.Picture1()->size(), QSize(400, 300));
        QCOMPARE(form.Picture1()->picture().pixelColor(100, 200), QColor(Qt::red));
        QCOMPARE(form.Zoom_Ori()->picture(), snapshot);
        QVERIFY(!form.HScroll1()->isEnabled());
        QVERIFY(!form.VScroll1()->isEnabled());
    }

    void zoomRepaintsFromTheSnapshotAndSetsUpTheBars() {
        test::FakePrompts prompts;
        Form2 form;
        form.setPicture(patternImage(400, 300));
        form.Show();
        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(form.PushButton1(), Qt::LeftButton);
        QCOMPARE(form.view().zoom(), 2.0f);
        QCOMPARE(form.Picture1()->size(), QSize(800, 600));
        const QImage& shown = form.Picture1()->picture();
        QCOMPARE(shown.size(), QSize(800, 600));
        QCOMPARE(shown.pixelColor(200, 300), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(600, 300), QColor(Qt::blue));
        QVERIFY(form.HScroll1()->isEnabled());
        QCOMPARE(form.HScroll1()->maximum(), 267);
        QCOMPARE(form.VScroll1()->maximum(), 157);

        // Scrolling only moves the painted picture.
        const qint64 painted = shown.cacheKey();
        form.HScroll1()->setValue(100);
        QCOMPARE(form.view().picture1().left, -1000);
        QCOMPARE(form.Picture1()->x(), -67);
        form.VScroll1()->setValue(157);
        QCOMPARE(form.Picture1()->y(), -105); // 1570 twips
        QCOMPARE(form.Picture1()->picture().cacheKey(), painted);

        // Zoom Out goes back to the fitting picture at 1.75 ... 1.0.
        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(form.PushButton2(), Qt::LeftButton);
        QCOMPARE(form.Picture1()->size(), QSize(400, 300));
        QVERIFY(!form.HScroll1()->isEnabled());
        QCOMPARE(form.Picture1()->pos(), QPoint(0, 0));
        QVERIFY(prompts.errors.isEmpty());
    }

    // A snapshot with 4 x 4 pixels per logical pixel: the view works in its
    // logical size, and each redraw filters the full-resolution pixels down
    // to the screen's. Columns one pixel wide, black and white in turn,
    // average to grey; a picture stretched from a smaller copy or copied
    // pixel by pixel would not.
    void aSharpSnapshotIsShownFromItsFullResolution() {
        test::FakePrompts prompts;
        Form2 form;
        QImage sharp(1600, 1200, QImage::Format_RGB32);
        for (int x = 0; x < sharp.width(); ++x)
            for (int y = 0; y < sharp.height(); ++y)
                sharp.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        sharp.setDevicePixelRatio(4);
        form.setPicture(sharp);
        QCOMPARE(form.Picture1()->size(), QSize(400, 300));
        form.Show();
        QCOMPARE(form.view().baseWidth(), 5998);
        QCOMPARE(form.Zoom_Ori()->picture().size(), QSize(1600, 1200));
        for (const auto& [zoom, shownWidth] : {std::pair{1.0f, 400}, std::pair{1.5f, 600}}) {
            float wanted = zoom;
            form.view().SetZoom(wanted);
            const QImage& shown = form.Picture1()->picture();
            const qreal screen = form.Picture1()->devicePixelRatioF();
            QCOMPARE(form.Picture1()->width(), shownWidth);
            QCOMPARE(shown.devicePixelRatio(), screen);
            QCOMPARE(shown.width(), qRound(shownWidth * screen));
            // Each pixel grey, the row's average mid-grey.
            int sum = 0;
            for (int x = 0; x < shown.width(); ++x) {
                const int grey = qGray(shown.pixel(x, shown.height() / 2));
                QVERIFY2(grey > 64 && grey < 192, qPrintable(QString::number(grey)));
                sum += grey;
            }
            const double average = double(sum) / shown.width();
            QVERIFY2(average > 120 && average < 135, qPrintable(QString::number(average)));
        }
        QVERIFY(prompts.errors.isEmpty());
    }

    void sizeLimitShowsThePictureAtZoomOne() {
        test::FakePrompts prompts;
        Form2 form;
        form.setPicture(patternImage(400, 300));
        form.Show();
        for (int i = 0; i < 6; ++i) // 2.5 would be 14995 twips wide
            form.PushButton1_Click();
        QCOMPARE(form.view().zoom(), 1.0f);
        QCOMPARE(form.Picture1()->size(), QSize(400, 300));
        QCOMPARE(form.Picture1()->picture().size(), QSize(400, 300));
        QVERIFY(!form.HScroll1()->isEnabled());
    }

    // The engine's page picture of a landscape Letter page.
    void pagePictureZoomsToOneAndAHalf() {
        test::FakePrompts prompts;
        Form2 form;
        form.setPicture(patternImage(596, 461));
        form.Show();
        QVERIFY(!form.HScroll1()->isEnabled());
        QVERIFY(!form.VScroll1()->isEnabled());
        form.PushButton1_Click();
        form.PushButton1_Click();
        QCOMPARE(form.view().zoom(), 1.5f);
        QVERIFY(form.VScroll1()->isEnabled());
        form.PushButton1_Click();
        QCOMPARE(form.view().zoom(), 1.0f);
        QVERIFY(prompts.errors.isEmpty());
    }

    void dragMovesThePictureAndTheBarsFollow() {
        test::FakePrompts prompts;
        Form2 form;
        form.setPicture(patternImage(400, 300));
        form.Show();
        float zoom = 2.0f;
        form.view().SetZoom(zoom); // the controls follow the view by themselves
        QCOMPARE(form.Picture1()->size(), QSize(800, 600));
        const qint64 painted = form.Picture1()->picture().cacheKey();
        QWidget* picture = form.Picture1();

        // No button: nothing moves.
        hover(picture, QPoint(200, 200));
        QCOMPARE(picture->pos(), QPoint(0, 0));

        sendMouse(picture, QEvent::MouseButtonPress, {200, 200}, Qt::LeftButton, Qt::LeftButton);
        sendMouse(picture, QEvent::MouseMove, {100, 150}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(form.view().picture1().left, -1500);
        QCOMPARE(form.view().picture1().top, -750);
        QCOMPARE(picture->pos(), QPoint(-100, -50));

        // 1500 of 2666 is 56 %, 150 of Max 267; 750 of 1571 is 48 %, 75 of 157.
        sendMouse(picture, QEvent::MouseButtonRelease, {100, 150}, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(form.HScroll1()->value(), 150);
        QCOMPARE(form.VScroll1()->value(), 75);
        QCOMPARE(picture->pos(), QPoint(-100, -50));
        // Dragging only moved the painted picture.
        QCOMPARE(form.Picture1()->picture().cacheKey(), painted);
        QVERIFY(prompts.errors.isEmpty());
    }

    void pointerRules() {
        Form2 form;
        form.show();
        form.pointer().set(PointerState::Default);
        for (QPushButton* button :
             {form.PushButton1(), form.PushButton2(), form.PushButton6(), form.PushButton8()}) {
            form.pointer().set(PointerState::Default);
            hover(button);
            QCOMPARE(form.pointer().state(), PointerState::Custom);
        }
        // Over the picture the hand stays; over the frame the arrow is back.
        hover(form.Picture1());
        QCOMPARE(form.pointer().state(), PointerState::Custom);
        hover(form.Frame1(), QPoint(4, 50));
        QCOMPARE(form.pointer().state(), PointerState::Default);
        form.pointer().set(PointerState::Custom);
        hover(&form, QPoint(650, 300));
        QCOMPARE(form.pointer().state(), PointerState::Default);

        // A move reaching the frame from a button is the button's.
        form.pointer().set(PointerState::Custom);
        const QPoint onButton = form.PushButton1()->geometry().center();
        hover(form.Frame1(), onButton);
        QCOMPARE(form.pointer().state(), PointerState::Custom);

        // Busy is never replaced by these rules.
        form.pointer().set(PointerState::Busy);
        hover(form.PushButton6());
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(form.PushButton8(), &enter);
        hover(form.Frame1(), QPoint(4, 50));
        QCOMPARE(form.pointer().state(), PointerState::Busy);
    }

    void handCursorIsLoadedWhenPresent() {
        {
            Form2 form;
            QVERIFY(!form.pointer().hasCustomCursor());
        }
        const QString cursor = QFINDTESTDATA("../../resources/HAND-M.CUR");
        QVERIFY(!cursor.isEmpty());
        QVERIFY(QFile::copy(cursor, m_folder.filePath("HAND-M.CUR")));
        test::FakePrompts prompts;
        Form2 form;
        QVERIFY(form.pointer().hasCustomCursor());
        QVERIFY(prompts.errors.isEmpty());
        QFile::remove(m_folder.filePath("HAND-M.CUR"));
    }

    void backHidesAndTheNextSnapshotGetsAFreshView() {
        test::FakePrompts prompts;
        QTemporaryDir temp;
        QWidget mainWindowStandIn;
        setMainWindow(&mainWindowStandIn);
        Form2 form;
        form.setPicture(patternImage(400, 300));
        form.mWordFile = temp.filePath("tmpout11111111.doc");
        QFile(form.mWordFile).open(QIODevice::WriteOnly);
        form.Show();
        form.PushButton1_Click();
        QCOMPARE(form.view().zoom(), 1.25f);
        for (int i = 0; i < 3; ++i)
            form.PushButton1_Click();
        QVERIFY(form.HScroll1()->isEnabled());

        QTest::mouseClick(form.PushButton8(), Qt::LeftButton);
        QVERIFY(!QFile::exists(form.mWordFile));
        QVERIFY(mainWindowStandIn.isVisible());
        QVERIFY(form.isHidden());

        // The next run: a new snapshot and working document, shown again.
        form.setPicture(patternImage(500, 200));
        form.mWordFile = temp.filePath("tmpout22222222.doc");
        form.Show();
        QCOMPARE(form.view().zoom(), 1.0f);
        QCOMPARE(form.view().baseWidth(), 7498);
        QCOMPARE(form.Picture1()->size(), QSize(500, 200));
        QCOMPARE(form.Zoom_Ori()->picture().size(), QSize(500, 200));
        // The bars look as a fresh window's do: disabled, with no thumb.
        Form2 fresh;
        fresh.setPicture(patternImage(500, 200));
        fresh.Show();
        for (QScrollBar* bar : {form.HScroll1(), form.VScroll1()})
            QVERIFY(!bar->isEnabled());
        QCOMPARE(form.HScroll1()->grab().toImage(), fresh.HScroll1()->grab().toImage());
        QCOMPARE(form.VScroll1()->grab().toImage(), fresh.VScroll1()->grab().toImage());

        // Back again with the document already gone: straight back.
        form.PushButton8_Click();
        QVERIFY(form.isHidden());
        QVERIFY(prompts.errors.isEmpty());
        setMainWindow(nullptr);
    }

    // The wheel and keys drive the view as in any viewer, Page Down and Up
    // switch pages keeping the zoom, and the picture says where it is.
    void viewerKeysWheelAndPages() {
        test::FakePrompts prompts;
        QWidget mainWindowStandIn;
        setMainWindow(&mainWindowStandIn);
        Form2 form;
        form.setDocument(twoPagePdf());
        // Larger than the viewport at 1.0 and 1.25, past the size limit at 1.5.
        form.setPicture(patternImage(650, 520));
        form.Show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.pageCount(), 2);
        QVERIFY(form.Picture1()->accessibleName().contains("Page 1 (outside)"));
        QVERIFY(form.Picture1()->accessibleDescription().contains("of 2, zoom 100 %"));
        const auto bars = [&] {
            return QPoint(form.view().hScroll1().value(), form.view().vScroll1().value());
        };

        QTest::keyClick(&form, Qt::Key_Down);
        QTest::keyClick(&form, Qt::Key_Right);
        QVERIFY(bars().x() > 0 && bars().y() > 0);
        QVERIFY(form.Picture1()->y() < 0);
        QTest::keyClick(&form, Qt::Key_End);
        QCOMPARE(bars(), QPoint(form.view().hScroll1().max(), form.view().vScroll1().max()));
        QTest::keyClick(&form, Qt::Key_Home);
        QCOMPARE(bars(), QPoint(0, 0));
        const auto wheel = [&](QPoint angle, Qt::KeyboardModifiers modifiers) {
            QWheelEvent event(QPointF(5, 5), form.Picture1()->mapToGlobal(QPointF(5, 5)), QPoint(),
                              angle, Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(form.Picture1(), &event);
        };
        wheel({0, -120}, Qt::NoModifier);
        QVERIFY(bars().y() > 0 && bars().x() == 0);
        wheel({0, -120}, Qt::ShiftModifier);
        QVERIFY(bars().x() > 0);

        wheel({0, 120}, Qt::ControlModifier);
        QCOMPARE(form.view().zoom(), 1.25f);
        QTest::keyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(form.view().zoom(), 0.75f);
        QVERIFY(form.Picture1()->accessibleDescription().contains("zoom 75 %"));
        QTest::keyClick(&form, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(form.view().zoom(), 1.0f);
        // Near the size limit, a key goes no further rather than back to 1.0.
        QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(form.view().zoom(), 1.25f);
        QTest::keyClick(&form, Qt::Key_Down);

        QTest::keyClick(&form, Qt::Key_PageDown);
        QCOMPARE(form.page(), 2);
        QCOMPARE(form.view().zoom(), 1.25f);
        QCOMPARE(bars(), QPoint(0, 0));
        QCOMPARE(form.Picture1()->picture().pixelColor(300, 300), QColor(Qt::green));
        QCOMPARE(form.Zoom_Ori()->picture().size(), QSize(650, 520));
        QVERIFY(form.Picture1()->toolTip().startsWith("Page 2 (inside) of 2"));
        QTest::keyClick(&form, Qt::Key_PageDown);
        QCOMPARE(form.page(), 2);
        QTest::keyClick(&form, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(form.page(), 1);
        QCOMPARE(form.Picture1()->picture().pixelColor(100, 300), QColor(Qt::red));

        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(prompts.saveDialogs.size(), 1);
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(form.isHidden());
        QVERIFY(mainWindowStandIn.isVisible());
        QVERIFY(prompts.errors.isEmpty());
        setMainWindow(nullptr);
    }

    void saveCopiesTheWorkingDocument() {
        test::FakePrompts prompts;
        QTemporaryDir temp;
        Form2 form;
        form.mWordFile = temp.filePath("tmpout33333333.doc");
        QFile working(form.mWordFile);
        QVERIFY(working.open(QIODevice::WriteOnly));
        working.write("brochure bytes");
        working.close();
        prompts.saveAnswers << temp.filePath("mine.doc");
        QTest::mouseClick(form.PushButton6(), Qt::LeftButton);
        QCOMPARE(prompts.messages, QStringList{"Done."});
        QVERIFY(QFile::exists(temp.filePath("mine.doc")));
        QVERIFY(QFile::exists(form.mWordFile));
    }

    void closingDeletesTheWorkingDocumentAndEndsTheProgram() {
        test::FakePrompts prompts;
        QTemporaryDir temp;
        Form2 form;
        form.mWordFile = temp.filePath("tmpout44444444.doc");
        QFile(form.mWordFile).open(QIODevice::WriteOnly);
        form.show();
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, form.close());
        QVERIFY(!QFile::exists(form.mWordFile));
        QVERIFY(prompts.errors.isEmpty());
    }

    void instanceIsLoadedOnFirstUse() {
        QVERIFY(!Form2::isLoaded());
        Form2& first = Form2::instance();
        QVERIFY(Form2::isLoaded());
        QCOMPARE(&Form2::instance(), &first);
        delete &first;
        QVERIFY(!Form2::isLoaded());
    }
};

QTEST_MAIN(Form2Test)
#include "tst_form2.moc"
