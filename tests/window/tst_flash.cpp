#include "support/formprobe.h"

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
        form.eddFlashTick();
        shown.append(!p.button("calculateEddButton")->isHidden());
    }
    return shown;
}

} // namespace

void FlashTest::eddButtonBlinksTwiceAndStops()
{
    QuorvelForm form;
    FormProbe p(form);
    QCOMPARE(eddButtonShownOverTicks(form, p, 4), QList<bool>({false, true, false, true}));
    QVERIFY(!p.timer("eddFlash")->isEnabled());
    QCOMPARE(form.variables().flashCountEdd, 4);
}

void FlashTest::aNewDatePickRestartsTheEddFlash()
{
    QuorvelForm form;
    FormProbe p(form);
    form.eddFlashTick(); // hidden
    p.pick("lmpOrScanYear", "2001");
    QVERIFY(!p.button("calculateEddButton")->isHidden());
    QCOMPARE(form.variables().flashCountEdd, 0);
    QCOMPARE(eddButtonShownOverTicks(form, p, 4), QList<bool>({false, true, false, true}));
    QVERIFY(!p.timer("eddFlash")->isEnabled());
}

void FlashTest::yesFlashBlanksAndRestoresTheQuestion()
{
    QuorvelForm form;
    FormProbe p(form);
    p.click("calculateEddButton");
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
        form.yesFlashTick();
        seen.append(p.option("yesOption")->text() + "/" + p.text("questionLabel"));
    }
    const QString shown = "Yes/Calculate length of gestation at birth?";
    QCOMPARE(seen, QStringList({"/", shown, "/", shown}));
    QVERIFY(!p.timer("yesFlash")->isEnabled());
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
    const auto tick = [&] { yes ? form.yesFlashTick() : form.gestationFlashTick(); };
    const auto caption = [&] {
        return yes ? p.option("yesOption")->text() : p.button("calculateGestationButton")->text();
    };

    p.click("calculateEddButton");
    if (!yes) {
        p.choose("yesOption");
        p.pick("birthDay", "5");
    }
    tick();
    QVERIFY(caption().isEmpty());
    if (yes) {
        p.pick("lmpOrScanDay", "2");
        p.click("calculateEddButton");
    } else {
        p.pick("birthDay", "6");
    }
    for (int i = 0; i < 4; ++i) {
        tick();
    }
    QVERIFY(!caption().isEmpty());
    QVERIFY(!p.timer(yes ? "yesFlash" : "gestationFlash")->isEnabled());
}

void FlashTest::calculatingStopsTheEddButtonsOwnFlash()
{
    QuorvelForm form;
    FormProbe p(form);
    form.eddFlashTick();
    form.eddFlashTick(); // shown again, mid-flash
    p.click("calculateEddButton");
    QVERIFY(!p.timer("eddFlash")->isEnabled());
    QVERIFY(!p.shown("calculateEddButton"));
}

void FlashTest::handlingShowingTheButtonMidFlashStillEndsShown_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("LMP-based with the day already 1") << "lmpOption";
    QTest::newRow("restart") << "restartButton";
}

void FlashTest::handlingShowingTheButtonMidFlashStillEndsShown()
{
    QFETCH(QString, option);
    QuorvelForm form;
    FormProbe p(form);
    form.eddFlashTick(); // hidden; these handlings show it without restarting the flash
    if (option == "restartButton") {
        p.click("restartButton");
    } else {
        p.choose(option.toUtf8());
    }
    QVERIFY(!p.button("calculateEddButton")->isHidden());
    for (int i = 0; i < 3; ++i) {
        form.eddFlashTick();
    }
    QVERIFY(!p.timer("eddFlash")->isEnabled());
    QVERIFY(!p.button("calculateEddButton")->isHidden());
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
    connect(p.timer("eddFlash"), &IntervalTimer::tick, &form,
            [&] { ticks.append(clock.elapsed()); });
    form.show();
    QTRY_VERIFY_WITH_TIMEOUT(!p.timer("eddFlash")->isEnabled(), flashEndTimeoutMs);
    QCOMPARE(int(ticks.size()), flashTicks);
    const qint64 last = ticks.last();
    QVERIFY2(last >= flashTicks * flashIntervalMs && last - built < flashEndToleranceMs,
             qPrintable(QStringLiteral("fourth tick %1 ms after the start, %2 ms after the window "
                                       "was built")
                            .arg(last)
                            .arg(last - built)));
    QVERIFY(!p.timer("eddFlash")->isRunning());
    QVERIFY(p.shown("calculateEddButton"));
    QCOMPARE(form.variables().flashCountEdd, flashTicks);
}

QUORVEL_WINDOW_TEST_MAIN(FlashTest)
#include "tst_flash.moc"
