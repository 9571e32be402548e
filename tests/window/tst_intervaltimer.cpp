#include "window/intervaltimer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using quorvel::IntervalTimer;

namespace {

constexpr int slowInterval = 200; // milliseconds
constexpr int tickTimeout = 5000; // generous on a loaded machine

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
    IntervalTimer timer;
    QSignalSpy ticks(&timer, &IntervalTimer::tick);
    timer.setInterval(slowInterval);
    QTRY_COMPARE_WITH_TIMEOUT(ticks.count(), 1, tickTimeout);

    // Half-way to the next tick, enabling again puts it a whole interval away.
    QTest::qWait(slowInterval / 2);
    QElapsedTimer clock;
    clock.start();
    timer.setEnabled(true);
    QTRY_COMPARE_WITH_TIMEOUT(ticks.count(), 2, tickTimeout);
    QVERIFY2(clock.elapsed() >= slowInterval, qPrintable(QString::number(clock.elapsed())));

    timer.setEnabled(false);
    QVERIFY(!timer.isRunning());
}

QTEST_MAIN(IntervalTimerTest)
#include "tst_intervaltimer.moc"
