#include "tests/driver/formprobe.h"

#include <QSignalSpy>

using namespace quorvel;
using test::FormProbe;

class DialogueTest : public QObject {
    Q_OBJECT

private slots:
    void eddFromPickedInputs_data();
    void eddFromPickedInputs();
    void gestationFromPickedBirthDate_data();
    void gestationFromPickedBirthDate();
    void ultrasoundFromFebruaryRefillsDaysBeforePickingDayOne();
    void restartFromLmpBasedDating();
    void modeSwitchesKeepMeasurementAndValues();
    void yesAfterEddInTheStartUpMonthPicksOnlyDayAndYear();
    void yesAfterEddInAnotherMonthRefillsTheDays();
    void noThenYesAgainRunsNoListHandling();
    void dateOfBirthPickThenLmpPickKeepsGestationDefault();
    void inputChangesWithdrawResults_data();
    void inputChangesWithdrawResults();
    void yesAfterLeapDayEddListsTheLeapDay();
    void yesAfterEddBeyondTheListedYearsListsThatYear();
    void measurementKindResetsTheValueToItsPreset();
};

namespace {

// Runs an EDD calculation: LMP 1 January 2000 gives 7 October 2000.
void calculateEddOfLmp(const FormProbe& p, const QString& day, const QString& month,
                       const QString& year)
{
    p.choose("OptLMP");
    p.pickDate("DDLSDate", day, month, year);
    p.click("ComCalcEDD");
}

} // namespace

void DialogueTest::eddFromPickedInputs_data()
{
    QTest::addColumn<QString>("scanData"); // LMP, CRL, BPD, HC or DG
    QTest::addColumn<QString>("value");    // millimetres, or weeks:days
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("edd");
    QTest::addColumn<int>("daysToEdd"); // -1: no scan result

    QTest::newRow("LMP 1 January 2000") << "LMP"
                                        << ""
                                        << "1 January 2000"
                                        << "7 October 2000" << -1;
    QTest::newRow("LMP crosses the 2020 leap day") << "LMP"
                                                   << ""
                                                   << "1 June 2019"
                                                   << "7 March 2020" << -1;
    QTest::newRow("LMP gives an EDD on 29 February") << "LMP"
                                                     << ""
                                                     << "25 May 2003"
                                                     << "29 February 2004" << -1;
    QTest::newRow("CRL 33 mm drops the day fraction") << "CRL"
                                                      << "33"
                                                      << "10 March 2004"
                                                      << "6 October 2004" << 210;
    QTest::newRow("BPD 37 mm") << "BPD"
                               << "37"
                               << "10 March 2004"
                               << "20 August 2004" << 163;
    QTest::newRow("HC 135 mm") << "HC"
                               << "135"
                               << "10 March 2004"
                               << "18 August 2004" << 161;
    QTest::newRow("derived 18 weeks 0 days") << "DG"
                                             << "18:0"
                                             << "10 March 2004"
                                             << "11 August 2004" << 154;
    QTest::newRow("derived 7 weeks 6 days") << "DG"
                                            << "7:6"
                                            << "10 March 2004"
                                            << "21 October 2004" << 225;
    QTest::newRow("HC 100 mm picked, not preset") << "HC"
                                                  << "100"
                                                  << "10 March 2004"
                                                  << "7 September 2004" << 181;
}

void DialogueTest::eddFromPickedInputs()
{
    QFETCH(QString, scanData);
    QFETCH(QString, value);
    QFETCH(QString, date);
    QFETCH(QString, edd);
    QFETCH(int, daysToEdd);

    QuorvelForm form;
    FormProbe p(form);
    const QStringList d = date.split(' ');
    if (scanData == "LMP") {
        p.choose("OptLMP");
    } else if (scanData == "DG") {
        p.choose("OptDG");
        p.pick("DDUSW", value.section(':', 0, 0));
        p.pick("DDUSD", value.section(':', 1, 1));
    } else {
        p.choose(QByteArray("Opt") + scanData.toUtf8());
        p.pick("DDVal", value);
    }
    p.pickDate("DDLSDate", d[0], d[1], d[2]);
    p.click("ComCalcEDD");

    QCOMPARE(p.text("LabEDD"), edd);
    QCOMPARE(QuorvelForm::datenice(form.variables().eddDate), edd);
    QVERIFY(p.shown("FrameEDD"));
    QVERIFY(p.shown("FrameQDOB"));
    QVERIFY(!p.shown("ComCalcEDD"));
    QVERIFY(p.timer("Timer1")->isEnabled());
    QCOMPARE(form.variables().flashCountYes, 0);
    QCOMPARE(form.variables().scanDaysToEdd, daysToEdd < 0 ? 0 : daysToEdd);
}

void DialogueTest::gestationFromPickedBirthDate_data()
{
    QTest::addColumn<QString>("birth");
    QTest::addColumn<QString>("gestation");
    QTest::newRow("on the EDD") << "7 October 2000"
                                << "40 weeks 0 days";
    QTest::newRow("three days after") << "10 October 2000"
                                      << "40 weeks 3 days";
    QTest::newRow("one day before") << "6 October 2000"
                                    << "39 weeks 6 days";
    QTest::newRow("a week less a day early") << "1 October 2000"
                                             << "39 weeks 1 days";
    QTest::newRow("preterm") << "15 September 2000"
                             << "36 weeks 6 days";
    QTest::newRow("post-term") << "11 November 2000"
                               << "45 weeks 0 days";
    QTest::newRow("singular numbers keep plural words") << "9 January 2000"
                                                        << "1 weeks 1 days";
    QTest::newRow("on day 0 of the pregnancy") << "1 January 2000"
                                               << "0 weeks 0 days";
    QTest::newRow("before the pregnancy is said plainly") << "31 December 1999"
                                                          << "Birth before pregnancy";
    QTest::newRow("years before the pregnancy") << "1 March 1980"
                                                << "Birth before pregnancy";
}

void DialogueTest::gestationFromPickedBirthDate()
{
    QFETCH(QString, birth);
    QFETCH(QString, gestation);

    QuorvelForm form;
    FormProbe p(form);
    calculateEddOfLmp(p, "1", "January", "2000");
    p.choose("OptYes");
    const QStringList b = birth.split(' ');
    p.pickDate("DDDOBDate", b[0], b[1], b[2]);
    p.click("ComCalcGest");

    QCOMPARE(p.text("LabGest"), gestation);
    QVERIFY(p.shown("FrameGest"));
    QVERIFY(!p.shown("ComCalcGest"));
    QCOMPARE(QuorvelForm::datenice(form.variables().dobDate), birth);

    p.click("ComCalcGest");
    QCOMPARE(p.text("LabGest"), gestation);
    QCOMPARE(QuorvelForm::datenice(form.variables().eddDate), QString("7 October 2000"));
}

void DialogueTest::ultrasoundFromFebruaryRefillsDaysBeforePickingDayOne()
{
    QuorvelForm form;
    FormProbe p(form);
    p.choose("OptDG");
    p.choose("OptLMP");
    p.pickDate("DDLSDate", "15", "February", "2010");
    QCOMPARE(p.list("DDLSDateD")->count(), 28);

    QSignalSpy dayPicks(p.list("DDLSDateD"), &PickList::picked);
    p.choose("OptUS");
    QCOMPARE(dayPicks.count(), 1); // refilled to 31, then day "1" picked once
    QCOMPARE(p.list("DDLSDateD")->count(), 31);
    QCOMPARE(p.list("DDLSDateD")->text(), QString("1"));
    QCOMPARE(p.list("DDLSDateM")->text(), QString("January"));
    QCOMPARE(p.list("DDLSDateY")->text(), QString("2000"));
    QVERIFY(p.option("OptFB")->isChecked());
    QVERIFY(p.timer("Timer3")->isEnabled());
}

void DialogueTest::restartFromLmpBasedDating()
{
    QuorvelForm form;
    FormProbe p(form);
    p.choose("OptCRL");
    p.pick("DDVal", "40");
    calculateEddOfLmp(p, "5", "March", "2010");
    p.choose("OptYes");

    p.click("ComRestart");
    QVERIFY(p.option("OptUS")->isChecked());
    QVERIFY(p.option("OptFB")->isChecked());
    QVERIFY(p.option("OptNo")->isChecked());
    QCOMPARE(p.get<QGroupBox>("FrameDate")->title(), QString("Date of Ultrasound scan"));
    QCOMPARE(p.list("DDLSDateD")->text() + " " + p.list("DDLSDateM")->text() + " " +
                 p.list("DDLSDateY")->text(),
             QString("1 January 2000"));
    QVERIFY(p.ownEnabled("DDVal") && p.ownEnabled("FrameCBH") && p.ownEnabled("OptCRL"));
    QVERIFY(!p.ownEnabled("DDUSW") && !p.ownEnabled("LabUSD"));
    QVERIFY(p.option("OptCRL")->isChecked());
    QCOMPARE(p.list("DDVal")->text(), QString("40"));
    for (const char* hidden : {"FrameEDD", "FrameQDOB", "FrameDOB", "FrameGest", "ComCalcGest"}) {
        QVERIFY2(!p.shown(hidden), hidden);
    }
    QVERIFY(p.shown("ComCalcEDD"));
    QVERIFY(p.button("ComCalcEDD")->isDefault());
    QCOMPARE(QuorvelForm::datenice(form.variables().eddDate), QString("10 December 2010"));
}

void DialogueTest::modeSwitchesKeepMeasurementAndValues()
{
    QuorvelForm form;
    FormProbe p(form);
    p.choose("OptHC");
    p.pick("DDVal", "150");
    p.choose("OptDG");
    p.pick("DDUSW", "12");
    p.pick("DDUSD", "4");
    p.choose("OptLMP");
    QVERIFY(!p.ownEnabled("OptFB") && !p.ownEnabled("FrameUS") && !p.ownEnabled("DDVal"));
    p.choose("OptUS");
    QVERIFY(p.option("OptHC")->isChecked());
    QVERIFY(p.option("OptFB")->isChecked());
    QCOMPARE(p.list("DDVal")->text(), QString("150"));
    QCOMPARE(p.list("DDUSW")->text(), QString("12"));
    QCOMPARE(p.list("DDUSD")->text(), QString("4"));
}

void DialogueTest::yesAfterEddInTheStartUpMonthPicksOnlyDayAndYear()
{
    QuorvelForm form;
    FormProbe p(form);
    p.choose("OptCRL");
    p.pickDate("DDLSDate", "10", "March", "2004");
    p.click("ComCalcEDD");
    QCOMPARE(p.text("LabEDD"), QString("6 October 2004"));
    p.timer("Timer2")->setEnabled(false);

    QSignalSpy months(p.list("DDDOBDateM"), &PickList::picked);
    QSignalSpy days(p.list("DDDOBDateD"), &PickList::picked);
    QSignalSpy years(p.list("DDDOBDateY"), &PickList::picked);
    p.choose("OptYes");
    QCOMPARE(months.count(), 0);
    QCOMPARE(days.count(), 1);
    QCOMPARE(years.count(), 1);
    QCOMPARE(p.list("DDDOBDateD")->text() + " " + p.list("DDDOBDateM")->text() + " " +
                 p.list("DDDOBDateY")->text(),
             QString("6 October 2004"));
    QVERIFY(p.shown("FrameDOB"));
    QVERIFY(!p.shown("FrameGest"));
    QVERIFY(p.shown("ComCalcGest") && p.button("ComCalcGest")->isDefault());
    QVERIFY(!p.shown("ComCalcEDD"));
    QVERIFY(p.timer("Timer2")->isEnabled());
    QCOMPARE(form.focusWidget(), p.get("DDDOBDateM"));
}

void DialogueTest::yesAfterEddInAnotherMonthRefillsTheDays()
{
    QuorvelForm form;
    FormProbe p(form);
    calculateEddOfLmp(p, "7", "June", "2004");
    QCOMPARE(p.text("LabEDD"), QString("14 March 2005"));

    QSignalSpy days(p.list("DDDOBDateD"), &PickList::picked);
    p.choose("OptYes");
    QCOMPARE(days.count(), 2); // day "1" after the refill, then "14"
    QCOMPARE(p.list("DDDOBDateD")->count(), 31);
    QCOMPARE(p.list("DDDOBDateD")->text(), QString("14"));
    QCOMPARE(p.list("DDDOBDateM")->text(), QString("March"));
    QCOMPARE(p.list("DDDOBDateY")->text(), QString("2005"));
}

void DialogueTest::noThenYesAgainRunsNoListHandling()
{
    QuorvelForm form;
    FormProbe p(form);
    calculateEddOfLmp(p, "1", "January", "2000");
    p.choose("OptYes");
    p.choose("OptNo");
    for (const char* hidden : {"FrameDOB", "FrameGest", "ComCalcGest"}) {
        QVERIFY2(!p.shown(hidden), hidden);
    }
    QVERIFY(p.shown("FrameEDD") && p.shown("FrameQDOB"));

    p.timer("Timer2")->setEnabled(false);
    QSignalSpy picks(p.list("DDDOBDateD"), &PickList::picked);
    p.choose("OptYes");
    QCOMPARE(picks.count(), 0);
    QVERIFY(!p.timer("Timer2")->isEnabled());
    QVERIFY(p.shown("ComCalcGest"));
}

void DialogueTest::dateOfBirthPickThenLmpPickKeepsGestationDefault()
{
    QuorvelForm form;
    FormProbe p(form);
    calculateEddOfLmp(p, "1", "January", "2000");
    p.choose("OptYes");
    p.pick("DDDOBDateD", "9");
    p.click("ComCalcGest");
    p.pick("DDLSDateM", "April");

    QVERIFY(p.shown("ComCalcEDD"));
    QVERIFY(p.button("ComCalcGest")->isDefault());
    QVERIFY(!p.button("ComCalcEDD")->isDefault());
    QVERIFY(!p.shown("FrameEDD") && !p.shown("FrameQDOB") && !p.shown("FrameGest"));
    QVERIFY(p.option("OptNo")->isChecked());
}

void DialogueTest::inputChangesWithdrawResults_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("change"); // an item to pick, or empty to select the option
    QTest::addColumn<bool>("eddWithdrawn");

    QTest::newRow("LMP-based mode") << "OptLMP"
                                    << "" << true;
    QTest::newRow("derived gestation") << "OptDG"
                                       << "" << true;
    QTest::newRow("measurement kind") << "OptHC"
                                      << "" << true;
    QTest::newRow("measurement value") << "DDVal"
                                       << "30" << true;
    QTest::newRow("scan month") << "DDLSDateM"
                                << "May" << true;
    QTest::newRow("scan day") << "DDLSDateD"
                              << "2" << true;
    QTest::newRow("scan year") << "DDLSDateY"
                               << "2001" << true;
    QTest::newRow("birth month") << "DDDOBDateM"
                                 << "May" << false;
    QTest::newRow("birth day") << "DDDOBDateD"
                               << "2" << false;
    QTest::newRow("birth year") << "DDDOBDateY"
                                << "2001" << false;
}

void DialogueTest::inputChangesWithdrawResults()
{
    QFETCH(QString, control);
    QFETCH(QString, change);
    QFETCH(bool, eddWithdrawn);

    QuorvelForm form;
    FormProbe p(form);
    p.click("ComCalcEDD");
    p.choose("OptYes");
    p.click("ComCalcGest");
    QVERIFY(p.shown("FrameGest"));

    const QByteArray name = control.toUtf8();
    if (change.isEmpty()) {
        p.choose(name);
    } else {
        p.pick(name, change);
    }
    QVERIFY(!p.shown("FrameGest"));
    for (const char* frame : {"FrameEDD", "FrameQDOB", "FrameDOB"}) {
        QCOMPARE(p.shown(frame), !eddWithdrawn);
    }
    QCOMPARE(p.shown("ComCalcEDD"), eddWithdrawn);
    QCOMPARE(p.shown("ComCalcGest"), !eddWithdrawn);
    QCOMPARE(p.option("OptYes")->isChecked(), !eddWithdrawn);
}

void DialogueTest::yesAfterLeapDayEddListsTheLeapDay()
{
    QuorvelForm form;
    FormProbe p(form);
    calculateEddOfLmp(p, "25", "May", "2003");
    QCOMPARE(p.text("LabEDD"), QString("29 February 2004"));

    p.choose("OptYes");
    auto* days = p.list("DDDOBDateD");
    QCOMPARE(days->count(), 29);
    QCOMPARE(days->text() + " " + p.list("DDDOBDateM")->text() + " " + p.list("DDDOBDateY")->text(),
             QString("29 February 2004"));
    p.click("ComCalcGest");
    QCOMPARE(p.text("LabGest"), QString("40 weeks 0 days"));

    // A year without the leap day takes the row back to 28 February.
    p.pick("DDDOBDateY", "2003");
    QCOMPARE(days->count(), 28);
    QCOMPARE(days->text(), QString("28"));
    p.click("ComCalcGest");
    QCOMPARE(p.text("LabGest"), QString("Birth before pregnancy"));
    QCOMPARE(QuorvelForm::datenice(form.variables().dobDate), QString("28 February 2003"));
}

void DialogueTest::yesAfterEddBeyondTheListedYearsListsThatYear()
{
    QuorvelForm form;
    FormProbe p(form);
    calculateEddOfLmp(p, "1", "June", "2020");
    QCOMPARE(p.text("LabEDD"), QString("8 March 2021"));

    p.choose("OptYes");
    const QStringList years = p.list("DDDOBDateY")->items();
    QCOMPARE(years.size(), 42);
    QCOMPARE(years.last(), QString("2021"));
    QCOMPARE(p.list("DDDOBDateY")->text(), QString("2021"));
    p.click("ComCalcGest");
    QCOMPARE(p.text("LabGest"), QString("40 weeks 0 days"));
}

void DialogueTest::measurementKindResetsTheValueToItsPreset()
{
    QuorvelForm form;
    FormProbe p(form);
    p.choose("OptCRL");
    QCOMPARE(p.list("DDVal")->items().size(), 47);
    p.pick("DDVal", "40");
    p.choose("OptBPD");
    QCOMPARE(p.list("DDVal")->text(), QString("37"));
    p.choose("OptHC");
    const QStringList hc = p.list("DDVal")->items();
    QCOMPARE(hc.size(), 25);
    QCOMPARE(hc.mid(3, 3), QStringList({"90", "95", "100"}));
    QCOMPARE(p.list("DDVal")->text(), QString("135"));
}

QUORVEL_WINDOW_TEST_MAIN(DialogueTest)
#include "tst_dialogue.moc"
