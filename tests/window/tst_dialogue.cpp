#include "support/formprobe.h"

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
    p.choose("lmpOption");
    p.pickDate("lmpOrScan", day, month, year);
    p.click("calculateEddButton");
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
        p.choose("lmpOption");
    } else if (scanData == "DG") {
        p.choose("derivedGestationOption");
        p.pick("derivedWeeks", value.section(':', 0, 0));
        p.pick("derivedDays", value.section(':', 1, 1));
    } else {
        p.choose(scanData.toLower().toUtf8() + "Option");
        p.pick("measurementValue", value);
    }
    p.pickDate("lmpOrScan", d[0], d[1], d[2]);
    p.click("calculateEddButton");

    QCOMPARE(p.text("eddResult"), edd);
    QCOMPARE(QuorvelForm::longDate(form.variables().eddDate), edd);
    QVERIFY(p.shown("eddFrame"));
    QVERIFY(p.shown("questionFrame"));
    QVERIFY(!p.shown("calculateEddButton"));
    QVERIFY(p.timer("yesFlash")->isEnabled());
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
    p.choose("yesOption");
    const QStringList b = birth.split(' ');
    p.pickDate("birth", b[0], b[1], b[2]);
    p.click("calculateGestationButton");

    QCOMPARE(p.text("gestationResult"), gestation);
    QVERIFY(p.shown("gestationFrame"));
    QVERIFY(!p.shown("calculateGestationButton"));
    QCOMPARE(QuorvelForm::longDate(form.variables().dobDate), birth);

    p.click("calculateGestationButton");
    QCOMPARE(p.text("gestationResult"), gestation);
    QCOMPARE(QuorvelForm::longDate(form.variables().eddDate), QString("7 October 2000"));
}

void DialogueTest::ultrasoundFromFebruaryRefillsDaysBeforePickingDayOne()
{
    QuorvelForm form;
    FormProbe p(form);
    p.choose("derivedGestationOption");
    p.choose("lmpOption");
    p.pickDate("lmpOrScan", "15", "February", "2010");
    QCOMPARE(p.list("lmpOrScanDay")->count(), 28);

    QSignalSpy dayPicks(p.list("lmpOrScanDay"), &PickList::picked);
    p.choose("ultrasoundOption");
    QCOMPARE(dayPicks.count(), 1); // refilled to 31, then day "1" picked once
    QCOMPARE(p.list("lmpOrScanDay")->count(), 31);
    QCOMPARE(p.list("lmpOrScanDay")->text(), QString("1"));
    QCOMPARE(p.list("lmpOrScanMonth")->text(), QString("January"));
    QCOMPARE(p.list("lmpOrScanYear")->text(), QString("2000"));
    QVERIFY(p.option("fetalBiometryOption")->isChecked());
    QVERIFY(p.timer("eddFlash")->isEnabled());
}

void DialogueTest::restartFromLmpBasedDating()
{
    QuorvelForm form;
    FormProbe p(form);
    p.choose("crlOption");
    p.pick("measurementValue", "40");
    calculateEddOfLmp(p, "5", "March", "2010");
    p.choose("yesOption");

    p.click("restartButton");
    QVERIFY(p.option("ultrasoundOption")->isChecked());
    QVERIFY(p.option("fetalBiometryOption")->isChecked());
    QVERIFY(p.option("noOption")->isChecked());
    QCOMPARE(p.get<QGroupBox>("lmpOrScanDateFrame")->title(), QString("Date of Ultrasound scan"));
    QCOMPARE(p.list("lmpOrScanDay")->text() + " " + p.list("lmpOrScanMonth")->text() + " " +
                 p.list("lmpOrScanYear")->text(),
             QString("1 January 2000"));
    QVERIFY(p.ownEnabled("measurementValue") && p.ownEnabled("measurementFrame") &&
            p.ownEnabled("crlOption"));
    QVERIFY(!p.ownEnabled("derivedWeeks") && !p.ownEnabled("derivedDaysLabel"));
    QVERIFY(p.option("crlOption")->isChecked());
    QCOMPARE(p.list("measurementValue")->text(), QString("40"));
    for (const char* hidden : {"eddFrame", "questionFrame", "birthDateFrame", "gestationFrame",
                               "calculateGestationButton"}) {
        QVERIFY2(!p.shown(hidden), hidden);
    }
    QVERIFY(p.shown("calculateEddButton"));
    QVERIFY(p.button("calculateEddButton")->isDefault());
    QCOMPARE(QuorvelForm::longDate(form.variables().eddDate), QString("10 December 2010"));
}

void DialogueTest::modeSwitchesKeepMeasurementAndValues()
{
    QuorvelForm form;
    FormProbe p(form);
    p.choose("hcOption");
    p.pick("measurementValue", "150");
    p.choose("derivedGestationOption");
    p.pick("derivedWeeks", "12");
    p.pick("derivedDays", "4");
    p.choose("lmpOption");
    QVERIFY(!p.ownEnabled("fetalBiometryOption") && !p.ownEnabled("scanDataFrame") &&
            !p.ownEnabled("measurementValue"));
    p.choose("ultrasoundOption");
    QVERIFY(p.option("hcOption")->isChecked());
    QVERIFY(p.option("fetalBiometryOption")->isChecked());
    QCOMPARE(p.list("measurementValue")->text(), QString("150"));
    QCOMPARE(p.list("derivedWeeks")->text(), QString("12"));
    QCOMPARE(p.list("derivedDays")->text(), QString("4"));
}

void DialogueTest::yesAfterEddInTheStartUpMonthPicksOnlyDayAndYear()
{
    QuorvelForm form;
    FormProbe p(form);
    p.choose("crlOption");
    p.pickDate("lmpOrScan", "10", "March", "2004");
    p.click("calculateEddButton");
    QCOMPARE(p.text("eddResult"), QString("6 October 2004"));
    p.timer("gestationFlash")->setEnabled(false);

    QSignalSpy months(p.list("birthMonth"), &PickList::picked);
    QSignalSpy days(p.list("birthDay"), &PickList::picked);
    QSignalSpy years(p.list("birthYear"), &PickList::picked);
    p.choose("yesOption");
    QCOMPARE(months.count(), 0);
    QCOMPARE(days.count(), 1);
    QCOMPARE(years.count(), 1);
    QCOMPARE(p.list("birthDay")->text() + " " + p.list("birthMonth")->text() + " " +
                 p.list("birthYear")->text(),
             QString("6 October 2004"));
    QVERIFY(p.shown("birthDateFrame"));
    QVERIFY(!p.shown("gestationFrame"));
    QVERIFY(p.shown("calculateGestationButton") &&
            p.button("calculateGestationButton")->isDefault());
    QVERIFY(!p.shown("calculateEddButton"));
    QVERIFY(p.timer("gestationFlash")->isEnabled());
    QCOMPARE(form.focusWidget(), p.get("birthMonth"));
}

void DialogueTest::yesAfterEddInAnotherMonthRefillsTheDays()
{
    QuorvelForm form;
    FormProbe p(form);
    calculateEddOfLmp(p, "7", "June", "2004");
    QCOMPARE(p.text("eddResult"), QString("14 March 2005"));

    QSignalSpy days(p.list("birthDay"), &PickList::picked);
    p.choose("yesOption");
    QCOMPARE(days.count(), 2); // day "1" after the refill, then "14"
    QCOMPARE(p.list("birthDay")->count(), 31);
    QCOMPARE(p.list("birthDay")->text(), QString("14"));
    QCOMPARE(p.list("birthMonth")->text(), QString("March"));
    QCOMPARE(p.list("birthYear")->text(), QString("2005"));
}

void DialogueTest::noThenYesAgainRunsNoListHandling()
{
    QuorvelForm form;
    FormProbe p(form);
    calculateEddOfLmp(p, "1", "January", "2000");
    p.choose("yesOption");
    p.choose("noOption");
    for (const char* hidden : {"birthDateFrame", "gestationFrame", "calculateGestationButton"}) {
        QVERIFY2(!p.shown(hidden), hidden);
    }
    QVERIFY(p.shown("eddFrame") && p.shown("questionFrame"));

    p.timer("gestationFlash")->setEnabled(false);
    QSignalSpy picks(p.list("birthDay"), &PickList::picked);
    p.choose("yesOption");
    QCOMPARE(picks.count(), 0);
    QVERIFY(!p.timer("gestationFlash")->isEnabled());
    QVERIFY(p.shown("calculateGestationButton"));
}

void DialogueTest::dateOfBirthPickThenLmpPickKeepsGestationDefault()
{
    QuorvelForm form;
    FormProbe p(form);
    calculateEddOfLmp(p, "1", "January", "2000");
    p.choose("yesOption");
    p.pick("birthDay", "9");
    p.click("calculateGestationButton");
    p.pick("lmpOrScanMonth", "April");

    QVERIFY(p.shown("calculateEddButton"));
    QVERIFY(p.button("calculateGestationButton")->isDefault());
    QVERIFY(!p.button("calculateEddButton")->isDefault());
    QVERIFY(!p.shown("eddFrame") && !p.shown("questionFrame") && !p.shown("gestationFrame"));
    QVERIFY(p.option("noOption")->isChecked());
}

void DialogueTest::inputChangesWithdrawResults_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("change"); // an item to pick, or empty to select the option
    QTest::addColumn<bool>("eddWithdrawn");

    QTest::newRow("LMP-based mode") << "lmpOption"
                                    << "" << true;
    QTest::newRow("derived gestation") << "derivedGestationOption"
                                       << "" << true;
    QTest::newRow("measurement kind") << "hcOption"
                                      << "" << true;
    QTest::newRow("measurement value") << "measurementValue"
                                       << "30" << true;
    QTest::newRow("scan month") << "lmpOrScanMonth"
                                << "May" << true;
    QTest::newRow("scan day") << "lmpOrScanDay"
                              << "2" << true;
    QTest::newRow("scan year") << "lmpOrScanYear"
                               << "2001" << true;
    QTest::newRow("birth month") << "birthMonth"
                                 << "May" << false;
    QTest::newRow("birth day") << "birthDay"
                               << "2" << false;
    QTest::newRow("birth year") << "birthYear"
                                << "2001" << false;
}

void DialogueTest::inputChangesWithdrawResults()
{
    QFETCH(QString, control);
    QFETCH(QString, change);
    QFETCH(bool, eddWithdrawn);

    QuorvelForm form;
    FormProbe p(form);
    p.click("calculateEddButton");
    p.choose("yesOption");
    p.click("calculateGestationButton");
    QVERIFY(p.shown("gestationFrame"));

    const QByteArray name = control.toUtf8();
    if (change.isEmpty()) {
        p.choose(name);
    } else {
        p.pick(name, change);
    }
    QVERIFY(!p.shown("gestationFrame"));
    for (const char* frame : {"eddFrame", "questionFrame", "birthDateFrame"}) {
        QCOMPARE(p.shown(frame), !eddWithdrawn);
    }
    QCOMPARE(p.shown("calculateEddButton"), eddWithdrawn);
    QCOMPARE(p.shown("calculateGestationButton"), !eddWithdrawn);
    QCOMPARE(p.option("yesOption")->isChecked(), !eddWithdrawn);
}

void DialogueTest::yesAfterLeapDayEddListsTheLeapDay()
{
    QuorvelForm form;
    FormProbe p(form);
    calculateEddOfLmp(p, "25", "May", "2003");
    QCOMPARE(p.text("eddResult"), QString("29 February 2004"));

    p.choose("yesOption");
    auto* days = p.list("birthDay");
    QCOMPARE(days->count(), 29);
    QCOMPARE(days->text() + " " + p.list("birthMonth")->text() + " " + p.list("birthYear")->text(),
             QString("29 February 2004"));
    p.click("calculateGestationButton");
    QCOMPARE(p.text("gestationResult"), QString("40 weeks 0 days"));

    // A year without the leap day takes the row back to 28 February.
    p.pick("birthYear", "2003");
    QCOMPARE(days->count(), 28);
    QCOMPARE(days->text(), QString("28"));
    p.click("calculateGestationButton");
    QCOMPARE(p.text("gestationResult"), QString("Birth before pregnancy"));
    QCOMPARE(QuorvelForm::longDate(form.variables().dobDate), QString("28 February 2003"));
}

void DialogueTest::yesAfterEddBeyondTheListedYearsListsThatYear()
{
    QuorvelForm form;
    FormProbe p(form);
    calculateEddOfLmp(p, "1", "June", "2020");
    QCOMPARE(p.text("eddResult"), QString("8 March 2021"));

    p.choose("yesOption");
    const QStringList years = p.list("birthYear")->items();
    QCOMPARE(years.size(), 42);
    QCOMPARE(years.last(), QString("2021"));
    QCOMPARE(p.list("birthYear")->text(), QString("2021"));
    p.click("calculateGestationButton");
    QCOMPARE(p.text("gestationResult"), QString("40 weeks 0 days"));
}

void DialogueTest::measurementKindResetsTheValueToItsPreset()
{
    QuorvelForm form;
    FormProbe p(form);
    p.choose("crlOption");
    QCOMPARE(p.list("measurementValue")->items().size(), 47);
    p.pick("measurementValue", "40");
    p.choose("bpdOption");
    QCOMPARE(p.list("measurementValue")->text(), QString("37"));
    p.choose("hcOption");
    const QStringList hc = p.list("measurementValue")->items();
    QCOMPARE(hc.size(), 25);
    QCOMPARE(hc.mid(3, 3), QStringList({"90", "95", "100"}));
    QCOMPARE(p.list("measurementValue")->text(), QString("135"));
}

QUORVEL_WINDOW_TEST_MAIN(DialogueTest)
#include "tst_dialogue.moc"
