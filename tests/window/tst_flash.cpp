#include "tests/driver/formprobe.h"

#include <QElapsedTimer>

using namespace quorvel;
using test::FormProbe;

class FlashTest : public QObject {
    Q_OBJECT

private slots:
    void eddButtonBlinksTwiceAndStops();
    void aNewDatePickRestartsTheEddFlash();
    void yesFlashBlanksAndRestoresTheQuestion();
    void captionFlashStartedWhileBlankEndsShown_data();
    void captionFlashStartedWhileBlankEndsShown();
    void calculatingStopsTheEddButtonsOwnFlash();
    void handlingShowingTheButtonMidFlashStillEndsShown_data();
    void handlingShowingTheButtonMidFlashStillEndsShown();
    void realTimeFlashEndsWithinFourTicks();
};

namespace {

constexpr int flashTicks = 4;
constexpr int flashIntervalMs = 100;
// The fourth tick, due 400 ms after the start, may come this late on a busy machine.
constexpr int flashEndToleranceMs = 1000;
constexpr int flashEndTimeoutMs = 20000;

QList<bool> eddButtonShownOverTicks(QuorvelForm& form, const FormProbe& p, int ticks)
{
    QList<bool> shown;
    for (int i = 0; i < ticks; ++i) {
        form.timer3Tick();
        shown.append(!p.button("ComCalcEDD")->isHidden());
    }
    return shown;
}

} // namespace

void FlashTest::eddButtonBlinksTwiceAndStops()
{
    QuorvelForm form;
    FormProbe p(form);
    QCOMPARE(eddButtonShownOverTicks(form, p, 4), QList<bool>({false, true, false, true}));
    QVERIFY(!p.timer("Timer3")->isEnabled());
    QCOMPARE(form.variables().flashCountEdd, 4);
}

void FlashTest::aNewDatePickRestartsTheEddFlash()
{
    QuorvelForm form;
    FormProbe p(form);
    form.timer3Tick(); // hidden
    p.pick("DDLSDateY", "2001");
    QVERIFY(!p.button("ComCalcEDD")->isHidden());
    QCOMPARE(form.variables().flashCountEdd, 0);
    QCOMPARE(eddButtonShownOverTicks(form, p, 4), QList<bool>({false, true, false, true}));
    QVERIFY(!p.timer("Timer3")->isEnabled());
}

void FlashTest::yesFlashBlanksAndRestoresTheQuestion()
{
    QuorvelForm form;
    FormProbe p(form);
    p.click("ComCalcEDD");
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
        form.timer1Tick();
        seen.append(p.option("OptYes")->text() + "/" + p.text("LabQDOB"));
    }
    const QString shown = "Yes/Calculate length of gestation at birth?";
    QCOMPARE(seen, QStringList({"/", shown, "/", shown}));
    QVERIFY(!p.timer("Timer1")->isEnabled());
}

void FlashTest::captionFlashStartedWhileBlankEndsShown_data()
{
    QTest::addColumn<QString>("flash");
    QTest::newRow("Yes question") << "yes";
    QTest::newRow("Calculate gestation caption") << "gestation";
}

void FlashTest::captionFlashStartedWhileBlankEndsShown()
{
    QFETCH(QString, flash);
    QuorvelForm form;
    FormProbe p(form);
    const bool yes = flash == "yes";
    const auto tick = [&] { yes ? form.timer1Tick() : form.timer2Tick(); };
    const auto caption = [&] {
        return yes ? p.option("OptYes")->text() : p.button("ComCalcGest")->text();
    };

    p.click("ComCalcEDD");
    if (!yes) {
        p.choose("OptYes");
        p.pick("DDDOBDateD", "5");
    }
    tick();
    QVERIFY(caption().isEmpty());
    if (yes) {
        p.pick("DDLSDateD", "2");
        p.click("ComCalcEDD");
    } else {
        p.pick("DDDOBDateD", "6");
    }
    for (int i = 0; i < 4; ++i) {
        tick();
    }
    QVERIFY(!caption().isEmpty());
    QVERIFY(!p.timer(yes ? "Timer1" : "Timer2")->isEnabled());
}

void FlashTest::calculatingStopsTheEddButtonsOwnFlash()
{
    QuorvelForm form;
    FormProbe p(form);
    form.timer3Tick();
    form.timer3Tick(); // shown again, mid-flash
    p.click("ComCalcEDD");
    QVERIFY(!p.timer("Timer3")->isEnabled());
    QVERIFY(!p.shown("ComCalcEDD"));
}

void FlashTest::handlingShowingTheButtonMidFlashStillEndsShown_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("LMP-based with the day already 1") << "OptLMP";
    QTest::newRow("restart") << "ComRestart";
}

void FlashTest::handlingShowingTheButtonMidFlashStillEndsShown()
{
    QFETCH(QString, option);
    QuorvelForm form;
    FormProbe p(form);
    form.timer3Tick(); // hidden; these handlings show it without restarting the flash
    if (option == "ComRestart") {
        p.click("ComRestart");
    } else {
        p.choose(option.toUtf8());
    }
    QVERIFY(!p.button("ComCalcEDD")->isHidden());
    for (int i = 0; i < 3; ++i) {
        form.timer3Tick();
    }
    QVERIFY(!p.timer("Timer3")->isEnabled());
    QVERIFY(!p.button("ComCalcEDD")->isHidden());
}

void FlashTest::realTimeFlashEndsWithinFourTicks()
{
    // The start-up flash's ticks, timed in their own handler from before the window starts the
    // flash: a busy machine can only make them later, and never shortens the wait for the end.
    QElapsedTimer clock;
    clock.start();
    QuorvelForm form;
    const qint64 built = clock.elapsed();
    FormProbe p(form);
    QList<qint64> ticks;
    connect(p.timer("Timer3"), &IntervalTimer::tick, &form, [&] { ticks.append(clock.elapsed()); });
    form.show();
    QTRY_VERIFY_WITH_TIMEOUT(!p.timer("Timer3")->isEnabled(), flashEndTimeoutMs);
    QCOMPARE(int(ticks.size()), flashTicks);
    const qint64 last = ticks.last();
    QVERIFY2(last >= flashTicks * flashIntervalMs && last - built < flashEndToleranceMs,
             qPrintable(QStringLiteral("fourth tick %1 ms after the start, %2 ms after the window "
                                       "was built")
                            .arg(last)
                            .arg(last - built)));
    QVERIFY(!p.timer("Timer3")->isRunning());
    QVERIFY(p.shown("ComCalcEDD"));
    QCOMPARE(form.variables().flashCountEdd, flashTicks);
}

QUORVEL_WINDOW_TEST_MAIN(FlashTest)
#include "tst_flash.moc"
