// An impatient double press of "Start Creating Template" on the real engine:
// one run, one working document, and nothing left after "< Back".
#include "tests/support/EngineRunFixture.h"
#include "tests/support/FakePrompts.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "wordgen/GenerationRun.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using namespace lw;

namespace {

// Counts the runs that start, and presses the button again while the
// first one holds the event loop.
class SecondPress final : public GenerationObserver {
public:
    explicit SecondPress(Form1& form) : m_form(form) { setGenerationObserver(this); }
    ~SecondPress() override { setGenerationObserver(nullptr); }
    SecondPress(const SecondPress&) = delete;
    SecondPress& operator=(const SecondPress&) = delete;

    void phase(const char* name) override {
        const QByteArray phase(name);
        if (phase == "start")
            ++runs;
        if (phase != "open" || pressed)
            return;
        pressed = true;
        // One press that reaches the button at once, and one that waits in
        // the window's queue as the window system's events do, delivered
        // only after the run has given the event loop back.
        QTest::mouseClick(m_form.PushButton6(), Qt::LeftButton);
        QWindow* window = m_form.windowHandle();
        const QPointF at = m_form.PushButton6()->mapTo(&m_form, QPointF(20, 10));
        const QPointF global = window->mapToGlobal(at);
        QCoreApplication::postEvent(window, new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                            Qt::LeftButton, Qt::LeftButton, {}));
        QCoreApplication::postEvent(window, new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                            Qt::LeftButton, Qt::NoButton, {}));
    }

    int runs = 0;
    bool pressed = false;

private:
    Form1& m_form;
};

} // namespace

class SingleRunTest : public QObject {
    Q_OBJECT
    test::EngineRunFixture fixture;

    QStringList workingDocuments() const {
        return fixture.workingFolderEntries().filter(QStringLiteral("tmpout"));
    }

private slots:
    void initTestCase() { QCOMPARE(fixture.startEngine(), QString()); }
    void cleanupTestCase() { QVERIFY(fixture.stopEngine()); }
    void init() { fixture.reset(); }

    void doublePressMakesOneWorkingDocument() {
        test::FakePrompts prompts;
        const auto window = test::EngineRunFixture::sampleWindow();
        Form1& form = *window;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        SecondPress second(form);
        QTest::mouseClick(form.PushButton6(), Qt::LeftButton);
        QVERIFY(second.pressed);
        QVERIFY(form.isHidden());
        QTest::qWait(200); // the queued press arrives now, at the hidden window
        QCOMPARE(second.runs, 1);
        QVERIFY2(prompts.errors.isEmpty(), qPrintable(prompts.errors.join("\n")));
        Form2& preview = Form2::instance();
        QCOMPARE(workingDocuments(), QStringList({QFileInfo(preview.mWordFile).fileName()}));

        QTest::mouseClick(preview.PushButton8(), Qt::LeftButton);
        QVERIFY(form.isVisible());
        QCOMPARE(fixture.workingFolderEntries(), QStringList());
        QVERIFY(prompts.errors.isEmpty());
    }
};

QTEST_MAIN(SingleRunTest)
#include "tst_single_run.moc"
