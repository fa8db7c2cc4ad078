// The deadline every office call runs under: a call that overruns its limit
// is given up, whatever calls came before it, and calls that end in time
// never are.
#include "wordgen/libreoffice/CallWatchdog.h"

#include <QElapsedTimer>
#include <QTest>

#include <atomic>
#include <thread>

using namespace lw::word::office;
using namespace std::chrono_literals;

class CallWatchdogTest : public QObject {
    Q_OBJECT

private slots:
    void overrunCallsAreGivenUpAndOthersNot() {
        std::atomic<int> expiries = 0;
        CallWatchdog watchdog([&] { ++expiries; });
        // Many calls in time, each with the usual long limit.
        for (int i = 0; i < 2000; ++i)
            CallWatchdog::Scope call(watchdog, 30s);
        {
            // One long enough for the watchdog to be waiting for its deadline.
            CallWatchdog::Scope call(watchdog, 30s);
            std::this_thread::sleep_for(50ms);
        }
        QCOMPARE(expiries.load(), 0);

        // A call with a short limit right after those: given up at its own
        // deadline, not at theirs.
        QElapsedTimer clock;
        clock.start();
        {
            CallWatchdog::Scope call(watchdog, 150ms);
            while (expiries == 0 && clock.elapsed() < 5000)
                std::this_thread::sleep_for(5ms);
            QVERIFY(call.expired());
        }
        QCOMPARE(expiries.load(), 1);
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));

        // A nested call keeps the outer deadline; ending in time fires nothing.
        {
            CallWatchdog::Scope outer(watchdog, 30s);
            CallWatchdog::Scope inner(watchdog, 10ms);
            std::this_thread::sleep_for(100ms);
            QVERIFY(!inner.expired());
        }
        std::this_thread::sleep_for(200ms);
        QCOMPARE(expiries.load(), 1);
    }
};

QTEST_GUILESS_MAIN(CallWatchdogTest)
#include "tst_call_watchdog.moc"
