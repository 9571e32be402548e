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
    QuorvelForm form;
    FormProbe p(form);
    QElapsedTimer clock;
    clock.start();
    form.show();
    QTRY_VERIFY_WITH_TIMEOUT(!p.timer("Timer3")->isEnabled(), 2000);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= 380 && elapsed < 1000, qPrintable(QString::number(elapsed)));
    QVERIFY(!p.timer("Timer3")->isRunning());
    QVERIFY(p.shown("ComCalcEDD"));
    QCOMPARE(form.variables().flashCountEdd, 4);
}

QUORVEL_WINDOW_TEST_MAIN(FlashTest)
#include "tst_flash.moc"
