#include "window/intervaltimer.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using quorvel::IntervalTimer;

namespace {

constexpr int slowInterval = 200; // milliseconds
constexpr int tickTimeout = 5000; // generous on a loaded machine
// How often the test tries to enable the timer between two ticks before giving up.
constexpr int arrangementAttempts = 5;

} // namespace

class IntervalTimerTest : public QObject {
    Q_OBJECT

private slots:
    void runsOnlyEnabledWithAnInterval_data();
    void runsOnlyEnabledWithAnInterval();
    void enablingAgainStartsTheIntervalAfresh();
};

void IntervalTimerTest::runsOnlyEnabledWithAnInterval_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("running");
    QTest::newRow("enabled with an interval") << true << slowInterval << true;
    QTest::newRow("enabled, interval 0") << true << 0 << false;
    QTest::newRow("disabled with an interval") << false << slowInterval << false;
}

void IntervalTimerTest::runsOnlyEnabledWithAnInterval()
{
    QFETCH(bool, enabled);
    QFETCH(int, interval);
    QFETCH(bool, running);

    IntervalTimer fresh;
    QVERIFY(fresh.isEnabled());
    QVERIFY(!fresh.isRunning());

    // Enabled and Interval are independent: either order gives the same timer.
    IntervalTimer intervalFirst;
    intervalFirst.setInterval(interval);
    intervalFirst.setEnabled(enabled);
    IntervalTimer enabledFirst;
    enabledFirst.setEnabled(enabled);
    enabledFirst.setInterval(interval);
    for (IntervalTimer* t : {&intervalFirst, &enabledFirst}) {
        QCOMPARE(t->isEnabled(), enabled);
        QCOMPARE(t->interval(), interval);
        QCOMPARE(t->isRunning(), running);
    }
}

void IntervalTimerTest::enablingAgainStartsTheIntervalAfresh()
{
    // Every time is taken in the handlers of the events themselves, never read after a sleep:
    // on a busy machine a sleep overshoots, and a late handler only makes a gap longer.
    IntervalTimer timer;
    QElapsedTimer clock;
    clock.start();
    QList<qint64> tickTimes;
    qint64 enabledAt = -1;

    // Half-way to the next tick, enabling again puts it a whole interval away. The re-enabling
    // is itself a timer event, started by the first tick and due before the second.
    QTimer halfWay;
    halfWay.setSingleShot(true);
    connect(&halfWay, &QTimer::timeout, &timer, [&] {
        if (tickTimes.size() == 1) {
            enabledAt = clock.elapsed();
            timer.setEnabled(true);
        }
    });
    connect(&timer, &IntervalTimer::tick, &timer, [&] {
        tickTimes.append(clock.elapsed());
        if (tickTimes.size() == 1) {
            halfWay.start(slowInterval / 2);
        }
    });

    bool arranged = false;
    for (int attempt = 0; attempt < arrangementAttempts && !arranged; ++attempt) {
        tickTimes.clear();
        enabledAt = -1;
        timer.setEnabled(true);
        timer.setInterval(slowInterval);
        QTRY_COMPARE_WITH_TIMEOUT(int(tickTimes.size()), 2, tickTimeout);
        timer.setEnabled(false);
        halfWay.stop();
        QVERIFY(!timer.isRunning());
        // A first tick handled too late on a busy machine left no half-way to enable at.
        arranged = enabledAt >= 0;
        if (arranged) {
            const qint64 gap = tickTimes[1] - enabledAt;
            QVERIFY2(gap >= slowInterval, qPrintable(QString::number(gap)));
        }
    }
    QVERIFY2(arranged, "no first tick was handled in time to enable the timer half-way");
}

QTEST_MAIN(IntervalTimerTest)
#include "tst_intervaltimer.moc"
