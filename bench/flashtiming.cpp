#include "flashtiming.h"

#include "support/formprobe.h"
#include "userinput.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <functional>

namespace quorvel::bench {

namespace {

using Clock = std::chrono::steady_clock;

// How long a run is watched past the fourth toggle for a fifth that must not come.
constexpr int watchAfterLastMs = 300;

FlashTiming watchFlash(const test::FormProbe& c, const char* name, const char* timerName,
                       const std::function<void(int)>& prepare,
                       const std::function<void(int)>& start, int repeats)
{
    FlashTiming timing;
    timing.name = name;
    IntervalTimer* timer = c.timer(timerName);
    for (int run = 0; run < repeats; ++run) {
        prepare(run);
        c.finishFlashes();

        std::vector<Clock::time_point> ticks;
        bool stoppedAfterFourth = false;
        // Connected after the window's own handling, so it runs once the toggle is done.
        const auto connection = QObject::connect(timer, &IntervalTimer::tick, timer, [&] {
            ticks.push_back(Clock::now());
            if (ticks.size() == flashToggles) {
                stoppedAfterFourth = !timer->isEnabled() && !timer->isRunning();
            }
        });
        QEventLoop loop;
        QTimer::singleShot(int(flashToggles * flashIntervalMs) + watchAfterLastMs, &loop,
                           &QEventLoop::quit);
        const auto began = Clock::now();
        start(run);
        loop.exec();
        QObject::disconnect(connection);

        ++timing.runs;
        timing.runsWithFourToggles += ticks.size() == flashToggles ? 1 : 0;
        timing.runsStoppedAfterFourth += stoppedAfterFourth ? 1 : 0;
        for (std::size_t k = 0; k < ticks.size(); ++k) {
            const double sinceStart =
                std::chrono::duration<double, std::milli>(ticks[k] - began).count();
            timing.lateMs.push_back(sinceStart - double(k + 1) * flashIntervalMs);
        }
    }
    return timing;
}

} // namespace

std::vector<FlashTiming> measureFlashes(QuorvelForm& form, int repeats)
{
    const test::FormProbe c(form);
    const auto scanDay = [&c](int run) { c.pick("lmpOrScanDay", QString::number(1 + run % 2)); };
    click(c.widget("restartButton"));

    std::vector<FlashTiming> timings;
    timings.push_back(watchFlash(
        c, "Yes and question, after Calculate EDD", "yesFlash", scanDay,
        [&c](int) { click(c.widget("calculateEddButton")); }, repeats));
    timings.push_back(watchFlash(
        c, "Calculate gestation, after a birth day pick", "gestationFlash",
        [&c, scanDay](int run) {
            scanDay(run);
            click(c.widget("calculateEddButton"));
            click(c.widget("yesOption"));
        },
        [&c](int run) { pressKey(c.list("birthDay"), run % 2 == 0 ? Qt::Key_Down : Qt::Key_Up); },
        repeats));
    timings.push_back(watchFlash(
        c, "Calculate EDD, after a scan day pick", "eddFlash", [](int) {},
        [&c](int run) {
            pressKey(c.list("lmpOrScanDay"), run % 2 == 0 ? Qt::Key_Down : Qt::Key_Up);
        },
        repeats));
    return timings;
}

} // namespace quorvel::bench
