// quorvel_bench: start-up time and peak memory of Quorvel against a bare Qt window with one
// label and against the same window in plain Qt, the time of each user action, and the flash
// timing, on the offscreen platform, in one run. Prints a Markdown report; BENCHMARKS.md keeps the
// last one. Each --against names another build of the program, such as one of an earlier commit:
// the start-up rounds take it in too, and the report compares this build with it. --repeats 0
// and --flashes 0 leave out the user actions and the flashes.
//   quorvel_bench [--runs N] [--repeats N] [--flashes N] [--against PROGRAM]...

#include "actionlatency.h"
#include "childrun.h"
#include "flashtiming.h"
#include "samples.h"
#include "window/appearance.h"
#include "window/quorvelform.h"

#include <QApplication>
#include <QFile>
#include <QSysInfo>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <string>
#include <thread>

using namespace quorvel;
using namespace quorvel::bench;

namespace {

constexpr int defaultStartupRuns = 40;
constexpr int defaultActionRepeats = 1000;
constexpr int defaultFlashRepeats = 10;
// Runs of each child before the counted ones: they bring the program and the libraries
// into the file cache.
constexpr int warmUpRuns = 3;
// The longest pause before a child, drawn at random for each. On a virtual machine that stalls
// its guest at a steady period, strictly alternating children of about half that period fell
// into step with it, and one of the two took every stall for seconds at a time: the same build
// measured a start-up ratio of 1.04 in one run and 1.37 in the next.
constexpr int maxPauseMs = 100;
constexpr double startupTarget = 1.15;
constexpr double memoryTarget = 1.10;
constexpr double actionTargetUs = 1000;
constexpr double p99 = 0.99;
constexpr double kibPerMib = 1024;
// The children are built beside this benchmark: the shipped program itself, the bare window
// and the program's window rebuilt in plain Qt, each with the same first-frame probe preloaded;
// then any other builds of the program named.
enum Child { quorvelChild, bareChild, floorChild, otherChildren };
const char* const firstFrameProbe = QUORVEL_FIRST_FRAME_PROBE;

struct Options {
    int startupRuns = defaultStartupRuns;
    int actionRepeats = defaultActionRepeats;
    int flashRepeats = defaultFlashRepeats;
    std::vector<std::string> otherPrograms;
};

void usage()
{
    std::fprintf(stderr, "usage: quorvel_bench [--runs N] [--repeats N] [--flashes N] "
                         "[--against PROGRAM]...\n");
    std::exit(2);
}

Options parse(int argc, char* argv[])
{
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        const int value = std::max(0, std::atoi(argv[i + 1]));
        if (flag == "--against") {
            o.otherPrograms.emplace_back(argv[i + 1]);
        } else if (flag == "--runs") {
            o.startupRuns = std::max(1, value);
        } else if (flag == "--repeats") {
            o.actionRepeats = value;
        } else if (flag == "--flashes") {
            o.flashRepeats = value;
        } else {
            usage();
        }
    }
    if (argc % 2 == 0) {
        usage();
    }
    return o;
}

std::string cpuModel()
{
    QFile cpuinfo("/proc/cpuinfo");
    if (cpuinfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : cpuinfo.readAll().split('\n')) {
            if (line.startsWith("model name")) {
                return line.mid(line.indexOf(':') + 2).toStdString();
            }
        }
    }
    return "unknown CPU";
}

const char* verdict(bool met)
{
    return met ? "met" : "MISSED";
}

// Each child's samples, in the order of the rounds, indexed by Child.
struct StartupFigures {
    std::vector<std::vector<double>> ms;
    std::vector<std::vector<double>> cpuMs;
    std::vector<std::vector<double>> kib;
};

// The median of the ratios of each run's figure to the bare window's run in its round, so that
// the load of the machine at that moment weighs on both sides of each ratio.
double pairedRatio(const std::vector<double>& measured, const std::vector<double>& bare)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < measured.size() && i < bare.size(); ++i) {
        ratios.push_back(measured[i] / bare[i]);
    }
    return median(ratios);
}

// The median of the differences within a round.
double pairedDifference(const std::vector<double>& measured, const std::vector<double>& other)
{
    std::vector<double> differences;
    for (std::size_t i = 0; i < measured.size() && i < other.size(); ++i) {
        differences.push_back(measured[i] - other[i]);
    }
    return median(differences);
}

StartupFigures measureStartup(int runs, const std::vector<std::string>& otherPrograms)
{
    std::vector<std::string> programs = {QUORVEL_PROGRAM, QUORVEL_BARE_WINDOW,
                                         QUORVEL_FLOOR_WINDOW};
    programs.insert(programs.end(), otherPrograms.begin(), otherPrograms.end());
    StartupFigures f;
    f.ms.resize(programs.size());
    f.cpuMs.resize(programs.size());
    f.kib.resize(programs.size());
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> pauseMs(0, maxPauseMs);
    // In rounds of one run of each, so that any drift of the machine weighs on all alike; in a
    // random order and after a random pause, so that nothing periodic on the machine weighs on
    // one only.
    std::vector<std::size_t> order(programs.size());
    std::iota(order.begin(), order.end(), 0);
    for (int run = 0; run < warmUpRuns + runs; ++run) {
        std::shuffle(order.begin(), order.end(), random);
        for (const std::size_t k : order) {
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs(random)));
            const auto child = runChild(programs[k], firstFrameProbe);
            if (!child) {
                std::fprintf(stderr, "quorvel_bench: a start-up child failed: %s\n",
                             programs[k].c_str());
                std::exit(EXIT_FAILURE);
            }
            if (run >= warmUpRuns) {
                f.ms[k].push_back(child->startupMs);
                f.cpuMs[k].push_back(child->cpuMs);
                f.kib[k].push_back(child->peakKiB);
            }
        }
    }
    return f;
}

void reportStartup(const StartupFigures& f, int runs)
{
    std::printf("## Start-up and peak memory (%d runs of each, in rounds of random order; "
                "medians, and medians of the ratios within a round)\n\n",
                runs);
    std::printf("| | Quorvel | the same window in plain Qt | bare window | Quorvel / bare | "
                "plain Qt / bare | target | |\n|---|---|---|---|---|---|---|---|\n");
    const auto row = [](const char* what, const std::vector<std::vector<double>>& samples,
                        double scale, double target) {
        const double ratio = pairedRatio(samples[quorvelChild], samples[bareChild]);
        std::printf("| %s | %.1f | %.1f | %.1f | %.3f | %.3f |", what,
                    median(samples[quorvelChild]) / scale, median(samples[floorChild]) / scale,
                    median(samples[bareChild]) / scale, ratio,
                    pairedRatio(samples[floorChild], samples[bareChild]));
        if (target > 0) {
            std::printf(" <= %.2f | %s |\n", target, verdict(ratio <= target));
        } else {
            std::printf(" | |\n");
        }
    };
    row("start-up to first frame, ms", f.ms, 1, startupTarget);
    row("CPU time, user + system, ms", f.cpuMs, 1, 0);
    row("peak resident memory, MiB", f.kib, kibPerMib, memoryTarget);
    std::printf("\n");
}

// This build against each other one, round by round: a rise in start-up of a few per cent shows
// here, where it is lost among the spread of single runs and of runs on different days.
void reportAgainstOthers(const StartupFigures& f, const std::vector<std::string>& otherPrograms)
{
    std::printf("## Against other builds (same rounds; medians, and medians of the ratios and "
                "differences within a round)\n\n");
    std::printf("| build | start-up to first frame, ms | this / it | CPU time, ms | this / it | "
                "peak resident memory, MiB | this - it, MiB |\n|---|---|---|---|---|---|---|\n");
    std::printf("| this build | %.1f | | %.1f | | %.2f | |\n", median(f.ms[quorvelChild]),
                median(f.cpuMs[quorvelChild]), median(f.kib[quorvelChild]) / kibPerMib);
    for (std::size_t i = 0; i < otherPrograms.size(); ++i) {
        const std::size_t k = otherChildren + i;
        std::printf("| %s | %.1f | %.3f | %.1f | %.3f | %.2f | %+.2f |\n", otherPrograms[i].c_str(),
                    median(f.ms[k]), pairedRatio(f.ms[quorvelChild], f.ms[k]), median(f.cpuMs[k]),
                    pairedRatio(f.cpuMs[quorvelChild], f.cpuMs[k]), median(f.kib[k]) / kibPerMib,
                    pairedDifference(f.kib[quorvelChild], f.kib[k]) / kibPerMib);
    }
    std::printf("\n");
}

void reportActions(const std::vector<ActionTiming>& timings, int repeats)
{
    std::printf("## User actions (%d runs each; microseconds)\n\n", repeats);
    std::printf("| action | handling median | handling p99 | with repaint median | "
                "with repaint p99 | target (median < %.0f us) |\n|---|---|---|---|---|---|\n",
                actionTargetUs);
    for (const auto& t : timings) {
        const double m = median(t.handlingUs);
        std::printf("| %s | %.0f | %.0f | %.0f | %.0f | %s |\n", t.name.c_str(), m,
                    percentile(t.handlingUs, p99), median(t.paintedUs),
                    percentile(t.paintedUs, p99), verdict(m < actionTargetUs));
    }
    std::printf("\n");
}

void reportFlashes(const std::vector<FlashTiming>& timings)
{
    std::printf("## Flashes (toggle k after the action, less k x %.0f ms)\n\n", flashIntervalMs);
    std::printf("| flash | runs | four toggles, none after | stopped after the fourth | "
                "lateness median ms | worst ms | within %.0f ms |\n"
                "|---|---|---|---|---|---|---|\n",
                flashToleranceMs);
    for (const auto& t : timings) {
        double worst = 0;
        for (const double late : t.lateMs) {
            worst = std::max(worst, std::abs(late));
        }
        const bool met = t.runsWithFourToggles == t.runs && t.runsStoppedAfterFourth == t.runs &&
                         worst <= flashToleranceMs;
        std::printf("| %s | %d | %d | %d | %.2f | %.2f | %s |\n", t.name.c_str(), t.runs,
                    t.runsWithFourToggles, t.runsStoppedAfterFourth, median(t.lateMs), worst,
                    verdict(met));
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char* argv[])
{
    const Options options = parse(argc, argv);
    // The children inherit it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    std::printf("# Quorvel benchmark\n\n");
    std::printf("Machine: %s, %u hardware threads; %s; Qt %s; platform %s.\n\n", cpuModel().c_str(),
                std::thread::hardware_concurrency(),
                QSysInfo::prettyProductName().toUtf8().constData(), qVersion(),
                qgetenv("QT_QPA_PLATFORM").constData());
    std::fflush(stdout);

    const StartupFigures startup = measureStartup(options.startupRuns, options.otherPrograms);
    reportStartup(startup, options.startupRuns);
    if (!options.otherPrograms.empty()) {
        reportAgainstOthers(startup, options.otherPrograms);
    }
    std::fflush(stdout);

    if (options.actionRepeats == 0 && options.flashRepeats == 0) {
        return 0;
    }
    QApplication app(argc, argv);
    applyAppearance(app);
    QuorvelForm form;
    form.show();
    QCoreApplication::processEvents();
    if (options.actionRepeats > 0) {
        reportActions(measureActions(form, options.actionRepeats), options.actionRepeats);
        std::fflush(stdout);
    }
    if (options.flashRepeats > 0) {
        reportFlashes(measureFlashes(form, options.flashRepeats));
    }
    return 0;
}
