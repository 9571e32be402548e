// The window, run with the toolkit's defaults as users run it, must not grow with use. Used
// through the typical road a thousand times and closed, the heap in use after the last hundred
// rounds stays that after the first hundred, and closing the window gives back what opening it
// took; a control row leaks a few bytes a round on purpose and must be caught. Driven through
// 30,000 random actions, half of them option clicks, each painted, the heap and the resident
// size after the last action stay those after the first thousand. Heap bytes in use are counted
// by the allocator (glibc's, or the sanitizer's under AddressSanitizer).

#include "support/formprobe.h"

#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define QUORVEL_ASAN_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUORVEL_ASAN_HEAP 1
#endif
#endif

#ifdef QUORVEL_ASAN_HEAP
// The sanitizer runtime's count of bytes in use; GCC ships no header declaring it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#include <unistd.h>
#endif

using namespace quorvel;
using test::FormProbe;

namespace {

constexpr int rounds = 1000;
constexpr int windowRounds = 100; // the first and the last hundred are compared
constexpr int warmUpRounds = 20;  // fill the toolkit's caches before anything is counted
// Allowed drift of the heap between the first and the last hundred rounds. A leak of 16 bytes
// a round grows it by 14 KiB.
constexpr qint64 toleranceBytes = 8 * 1024;
// Allowed difference between before opening and after closing: the toolkit's pixmap cache
// keeps what the style drew for the closed window's controls (about 12 KB) until it evicts
// them, while a window that is not given back leaves well over a megabyte.
constexpr qint64 closingToleranceBytes = 32 * 1024;

constexpr int randomActions = 30000;
constexpr int randomWarmUpActions = 1000; // every arrangement and pick painted at least once
constexpr quint32 randomSeed = 20261208;
// Allowed growth from the end of the random warm-up to the last action. The resident size may
// gain at most 256 KiB over the 29,000 actions of a long session; the heap a little, as the
// last pick leaves lists of other lengths than the warm-up's. Pixmaps drawn afresh for every
// new palette grew both by about 240 bytes an action, 7 MB over this run.
constexpr qint64 randomHeapToleranceBytes = 64 * 1024;
constexpr qint64 residentToleranceBytes = 256 * 1024;
[[maybe_unused]] const char* const noThreadCache = "glibc.malloc.tcache_count=0";

qint64 heapInUse()
{
#ifdef QUORVEL_ASAN_HEAP
    return static_cast<qint64>(__sanitizer_get_current_allocated_bytes());
#else
    return static_cast<qint64>(mallinfo2().uordblks);
#endif
}

// The resident size; under AddressSanitizer it holds the quarantine of freed blocks, which
// fills for hundreds of megabytes, so only the heap is compared there.
std::optional<qint64> residentBytes()
{
#ifdef QUORVEL_ASAN_HEAP
    return std::nullopt;
#else
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
#endif
}

qint64 median(std::vector<qint64> values)
{
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Lets the window lay out and paint, and ends every flash tick by tick.
void settle(QuorvelForm& form, const FormProbe& p)
{
    while (p.timer("yesFlash")->isEnabled()) {
        form.yesFlashTick();
    }
    while (p.timer("gestationFlash")->isEnabled()) {
        form.gestationFlashTick();
    }
    while (p.timer("eddFlash")->isEnabled()) {
        form.eddFlashTick();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// One typical road: an LMP-based EDD and the gestation at a birth date, then an ultrasound
// EDD from a measurement and from a derived gestation, the No answer and a restart. The
// dates move with the round so that the lists are really refilled.
void typicalRoad(QuorvelForm& form, const FormProbe& p, int round)
{
    const QString month = QString::fromUtf8(monthNames[std::size_t(round) % monthNames.size()]);
    const QString day = QString::number(1 + round % 28);
    const QString year = QString::number(1990 + round % 30);

    p.choose("lmpOption");
    p.pickDate("lmpOrScan", day, month, year);
    p.click("calculateEddButton");
    p.choose("yesOption");
    p.pickDate("birth", QString::number(1 + (round + 7) % 28), month, year);
    p.pressEnter();
    settle(form, p);

    p.choose("ultrasoundOption");
    p.choose(round % 2 == 0 ? "crlOption" : "hcOption");
    p.list("measurementValue")->setCurrentIndex(round % p.list("measurementValue")->count());
    p.pickDate("lmpOrScan", day, month, year);
    p.pressEnter();
    p.choose("yesOption");
    p.click("calculateGestationButton");
    p.choose("derivedGestationOption");
    p.list("derivedWeeks")->setCurrentIndex(round % p.list("derivedWeeks")->count());
    p.click("calculateEddButton");
    p.choose("noOption");
    p.click("restartButton");
    settle(form, p);
}

// One random action with the mouse or the keyboard, most often an option click, then painted.
// Returns whether it switched an option.
bool randomAction(QuorvelForm& form, const FormProbe& p, QRandomGenerator& random)
{
    static const std::array<const char*, 9> options = {"lmpOption",
                                                       "ultrasoundOption",
                                                       "fetalBiometryOption",
                                                       "derivedGestationOption",
                                                       "crlOption",
                                                       "bpdOption",
                                                       "hcOption",
                                                       "yesOption",
                                                       "noOption"};
    static const std::array<const char*, 9> lists = {
        "lmpOrScanMonth", "lmpOrScanDay", "lmpOrScanYear", "measurementValue", "derivedWeeks",
        "derivedDays",    "birthMonth",   "birthDay",      "birthYear"};
    static const std::array<const char*, 3> buttons = {"calculateEddButton",
                                                       "calculateGestationButton", "restartButton"};
    bool switched = false;
    switch (random.bounded(6)) {
    case 0:
    case 1:
    case 2:
        if (auto* o = p.option(options[random.bounded(int(options.size()))]); p.usable(o)) {
            switched = !o->isChecked();
            o->click();
        }
        break;
    case 3:
        if (auto* l = p.list(lists[random.bounded(int(lists.size()))]); p.usable(l)) {
            l->setCurrentIndex(random.bounded(l->count()));
        }
        break;
    case 4:
        if (auto* b = p.button(buttons[random.bounded(int(buttons.size()))]); p.usable(b)) {
            b->click();
        } else {
            p.pressEnter();
        }
        break;
    default: // the flashes running now tick once
        if (p.timer("yesFlash")->isEnabled()) {
            form.yesFlashTick();
        }
        if (p.timer("gestationFlash")->isEnabled()) {
            form.gestationFlashTick();
        }
        if (p.timer("eddFlash")->isEnabled()) {
            form.eddFlashTick();
        }
        break;
    }
    QCoreApplication::processEvents();
    return switched;
}

} // namespace

class LeakCheckTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void heapStaysFlatOverATypicalRoad_data();
    void heapStaysFlatOverATypicalRoad();
    void memoryStaysFlatOverRandomUse();
};

void LeakCheckTest::initTestCase()
{
#ifndef QUORVEL_ASAN_HEAP
    // glibc counts the chunks its per-thread caches hold as in use, and those caches fill
    // slowly over the rounds; without them the count is the program's own.
    QVERIFY2(qEnvironmentVariable("GLIBC_TUNABLES").contains(noThreadCache),
             "run with GLIBC_TUNABLES=glibc.malloc.tcache_count=0, as CTest does");
#endif

    // A first window loads the fonts, the style and the logo for good; the one measured
    // below then starts from the toolkit's settled state.
    QuorvelForm form;
    FormProbe p(form);
    form.show();
    for (int round = 0; round < warmUpRounds; ++round) {
        typicalRoad(form, p, round);
    }
    form.close();
}

void LeakCheckTest::heapStaysFlatOverATypicalRoad_data()
{
    QTest::addColumn<int>("leakPerRound");
    QTest::addColumn<bool>("growthExpected");
    QTest::newRow("typical road") << 0 << false;
    QTest::newRow("control: 32 bytes kept each round") << 32 << true;
}

void LeakCheckTest::heapStaysFlatOverATypicalRoad()
{
    QFETCH(int, leakPerRound);
    QFETCH(bool, growthExpected);

    std::vector<std::unique_ptr<char[]>> kept;
    kept.reserve(rounds);
    std::vector<qint64> heap;
    heap.reserve(rounds);

    QCoreApplication::processEvents();
    const qint64 beforeOpening = heapInUse();
    {
        QuorvelForm form;
        FormProbe p(form);
        form.show();
        for (int round = 0; round < rounds; ++round) {
            typicalRoad(form, p, round);
            if (leakPerRound > 0) {
                kept.push_back(std::make_unique<char[]>(std::size_t(leakPerRound)));
            }
            heap.push_back(heapInUse());
        }
        form.close();
    }
    kept.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    const qint64 afterClosing = heapInUse();

    const qint64 first = median({heap.begin(), heap.begin() + windowRounds});
    const qint64 last = median({heap.end() - windowRounds, heap.end()});
    const QString figures = QString("heap in use: %1 bytes before opening, median %2 over the "
                                    "first %3 rounds, %4 over the last %3, %5 after closing")
                                .arg(beforeOpening)
                                .arg(first)
                                .arg(windowRounds)
                                .arg(last)
                                .arg(afterClosing);
    qInfo("%s", qPrintable(figures));
    QVERIFY2((last - first > toleranceBytes) == growthExpected, qPrintable(figures));
    QVERIFY2(afterClosing - beforeOpening <= closingToleranceBytes, qPrintable(figures));
}

void LeakCheckTest::memoryStaysFlatOverRandomUse()
{
    QuorvelForm form;
    FormProbe p(form);
    form.show();
    QRandomGenerator random(randomSeed);
    int switches = 0;
    for (int action = 0; action < randomWarmUpActions; ++action) {
        switches += randomAction(form, p, random) ? 1 : 0;
    }
    const qint64 heapAfterWarmUp = heapInUse();
    const std::optional<qint64> residentAfterWarmUp = residentBytes();
    for (int action = randomWarmUpActions; action < randomActions; ++action) {
        switches += randomAction(form, p, random) ? 1 : 0;
    }
    const qint64 heapAtEnd = heapInUse();
    const std::optional<qint64> residentAtEnd = residentBytes();

    const QString figures =
        QString("%1 random actions, %2 option switches; heap in use %3 bytes after %4, %5 at "
                "the end; resident %6 bytes after %4, %7 at the end")
            .arg(randomActions)
            .arg(switches)
            .arg(heapAfterWarmUp)
            .arg(randomWarmUpActions)
            .arg(heapAtEnd)
            .arg(residentAfterWarmUp.value_or(-1))
            .arg(residentAtEnd.value_or(-1));
    qInfo("%s", qPrintable(figures));
    QVERIFY2(heapAtEnd - heapAfterWarmUp <= randomHeapToleranceBytes, qPrintable(figures));
    if (residentAfterWarmUp && residentAtEnd) {
        QVERIFY2(*residentAtEnd - *residentAfterWarmUp <= residentToleranceBytes,
                 qPrintable(figures));
    }
}

QUORVEL_WINDOW_TEST_MAIN(LeakCheckTest)
#include "tst_leakcheck.moc"
