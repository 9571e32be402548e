#include "actionlatency.h"

#include "support/formprobe.h"
#include "userinput.h"

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace quorvel::bench {

namespace {

constexpr int crownRumpItems = 47; // 10 to 56 mm

using Clock = std::chrono::steady_clock;

double microseconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::micro>(to - from).count();
}

// Stops the benchmark: an action did not do what it does, so its timing would mean nothing.
[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "quorvel_bench: unexpected window state: %s\n", what);
    std::exit(EXIT_FAILURE);
}

// Two distinct items, so that every repetition is a real change.
QString alternate(int i, const char* even, const char* odd)
{
    return QString::fromUtf8(i % 2 == 0 ? even : odd);
}

class ActionBench {
public:
    ActionBench(QuorvelForm& form, int repeats) : c_(form), repeats_(repeats) {}

    // prepare (untimed) brings the window to where the action applies; act is the user's
    // event; check tells whether the action did its work.
    ActionTiming measure(const char* name, const std::function<void(int)>& prepare,
                         const std::function<void(int)>& act, const std::function<bool()>& check)
    {
        ActionTiming timing{name, {}, {}};
        timing.handlingUs.reserve(std::size_t(repeats_));
        timing.paintedUs.reserve(std::size_t(repeats_));
        for (int i = 0; i < repeats_; ++i) {
            prepare(i);
            c_.finishFlashes();
            QCoreApplication::processEvents();

            const auto start = Clock::now();
            act(i);
            const auto handled = Clock::now();
            QCoreApplication::processEvents();
            const auto painted = Clock::now();

            if (!check()) {
                fail(name);
            }
            timing.handlingUs.push_back(microseconds(start, handled));
            timing.paintedUs.push_back(microseconds(start, painted));
        }
        c_.finishFlashes();
        return timing;
    }

    const test::FormProbe& controls() const { return c_; }

private:
    test::FormProbe c_;
    int repeats_;
};

} // namespace

std::vector<ActionTiming> measureActions(QuorvelForm& form, int repeats)
{
    ActionBench bench(form, repeats);
    const test::FormProbe& c = bench.controls();
    const auto nothing = [](int) {};
    const auto scanDay = [&c](int i) { c.pick("lmpOrScanDay", alternate(i, "2", "3")); };
    const auto eddShown = [&c] { return c.shown("eddFrame") && !c.shown("calculateEddButton"); };

    std::vector<ActionTiming> timings;
    click(c.widget("restartButton"));

    timings.push_back(bench.measure(
        "month pick (scan date)", nothing,
        [&c](int i) { pressKey(c.list("lmpOrScanMonth"), i % 2 == 0 ? Qt::Key_Down : Qt::Key_Up); },
        [&c] { return c.list("lmpOrScanDay")->text() == "1"; }));

    timings.push_back(bench.measure(
        "mode switch (LMP / ultrasound)", nothing,
        [&c](int i) { click(c.widget(i % 2 == 0 ? "lmpOption" : "ultrasoundOption")); },
        [&c] { return c.shown("calculateEddButton") && !c.shown("eddFrame"); }));

    click(c.widget("restartButton"));
    timings.push_back(bench.measure(
        "measurement kind switch (47-item refill)", [&c](int) { click(c.widget("hcOption")); },
        [&c](int) { click(c.widget("crlOption")); },
        [&c] { return c.list("measurementValue")->count() == crownRumpItems; }));

    click(c.widget("restartButton"));
    timings.push_back(bench.measure(
        "Calculate EDD", scanDay, [&c](int) { click(c.widget("calculateEddButton")); }, eddShown));

    timings.push_back(bench.measure(
        "Yes answer",
        [&c, scanDay](int i) {
            scanDay(i);
            click(c.widget("calculateEddButton"));
        },
        [&c](int) { click(c.widget("yesOption")); }, [&c] { return c.shown("birthDateFrame"); }));

    timings.push_back(bench.measure(
        "Calculate gestation", [&c](int i) { c.pick("birthDay", alternate(i, "2", "3")); },
        [&c](int) { click(c.widget("calculateGestationButton")); },
        [&c] { return c.shown("gestationFrame") && !c.shown("calculateGestationButton"); }));

    timings.push_back(bench.measure(
        "Cancel and RESTART",
        [&c, scanDay](int i) {
            scanDay(i);
            click(c.widget("calculateEddButton"));
            click(c.widget("yesOption"));
            click(c.widget("calculateGestationButton"));
        },
        [&c](int) { click(c.widget("restartButton")); },
        [&c] { return !c.shown("eddFrame") && c.shown("calculateEddButton"); }));
    return timings;
}

} // namespace quorvel::bench
