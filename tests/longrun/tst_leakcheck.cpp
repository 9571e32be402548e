// The window opened, used through the typical road a thousand times and closed must not grow
// the heap: the bytes in use after the last hundred rounds stay those after the first hundred,
// and closing the window gives back what opening it took. Heap bytes in use are counted by
// the allocator (glibc's, or the sanitizer's under AddressSanitizer), which is steadier than
// the resident size; the toolkit's pixmap cache is switched off, see initTestCase. A control row
// leaks a few bytes a round on purpose and must be caught.

#include "../window/formprobe.h"

#include <QPixmapCache>
#include <algorithm>
#include <memory>
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
#endif

using namespace quorvel;
using test::FormProbe;

namespace {

constexpr int rounds = 1000;
constexpr int windowRounds = 100; // the first and the last hundred are compared
constexpr int warmUpRounds = 20;  // fill the toolkit's caches before anything is counted
// Allowed drift of the heap between the first and the last hundred rounds, and between
// before opening and after closing. A leak of 16 bytes a round grows it by 14 KiB.
constexpr qint64 toleranceBytes = 8 * 1024;
[[maybe_unused]] const char* const noThreadCache = "glibc.malloc.tcache_count=0";

qint64 heapInUse()
{
#ifdef QUORVEL_ASAN_HEAP
    return static_cast<qint64>(__sanitizer_get_current_allocated_bytes());
#else
    return static_cast<qint64>(mallinfo2().uordblks);
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
    while (p.timer("Timer1")->isEnabled()) {
        form.timer1Tick();
    }
    while (p.timer("Timer2")->isEnabled()) {
        form.timer2Tick();
    }
    while (p.timer("Timer3")->isEnabled()) {
        form.timer3Tick();
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

    p.choose("OptLMP");
    p.pickDate("DDLSDate", day, month, year);
    p.click("ComCalcEDD");
    p.choose("OptYes");
    p.pickDate("DDDOBDate", QString::number(1 + (round + 7) % 28), month, year);
    p.pressEnter();
    settle(form, p);

    p.choose("OptUS");
    p.choose(round % 2 == 0 ? "OptCRL" : "OptHC");
    p.list("DDVal")->setCurrentIndex(round % p.list("DDVal")->count());
    p.pickDate("DDLSDate", day, month, year);
    p.pressEnter();
    p.choose("OptYes");
    p.click("ComCalcGest");
    p.choose("OptDG");
    p.list("DDUSW")->setCurrentIndex(round % p.list("DDUSW")->count());
    p.click("ComCalcEDD");
    p.choose("OptNo");
    p.click("ComRestart");
    settle(form, p);
}

} // namespace

class LeakCheckTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void heapStaysFlatOverATypicalRoad_data();
    void heapStaysFlatOverATypicalRoad();
};

void LeakCheckTest::initTestCase()
{
    // The style keeps small pixmaps in the toolkit's pixmap cache under keys that include
    // the palette, and every colour change makes a new palette: the cache fills towards its
    // 10 MB limit. That bounded cache is the toolkit's, not a leak, and would hide one.
    QPixmapCache::setCacheLimit(0);
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
    QVERIFY2(afterClosing - beforeOpening <= toleranceBytes, qPrintable(figures));
}

QUORVEL_WINDOW_TEST_MAIN(LeakCheckTest)
#include "tst_leakcheck.moc"
