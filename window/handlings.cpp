#include "core/gestation.h"
#include "window/announcer.h"
#include "window/intervaltimer.h"
#include "window/picklist.h"
#include "window/quorvelform.h"
#include "window/resultlabel.h"

#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>

namespace quorvel {

namespace {

constexpr int firstListedYear = 1980;
constexpr int lastListedYear = 2020;
constexpr int firstListedWeek = 7;
constexpr int lastListedWeek = 22;
constexpr int firstListedDay = 0;
constexpr int lastListedDay = 6;

const char* const lmpDateCaption = "Date of LMP";
const char* const yesConfirmation = "Yes: date of birth";
const char* const scanDateCaption = "Date of Ultrasound scan";

const char* const presetWeeks = "18";
const char* const presetDays = "0";
const char* const presetScanMonth = "January";
const char* const presetDay = "1";
const char* const presetYear = "2000";
const char* const presetBirthMonth = "October";
const char* const leapDayText = "29";
const char* const lastFebruaryDayText = "28";

struct MeasurementList {
    Measurement kind;
    int first;
    int last;
    int step;
    const char* preset;
};

constexpr std::array<MeasurementList, 3> measurementLists = {{
    {Measurement::CrownRumpLength, 10, 56, 1, "33"},
    {Measurement::BiparietalDiameter, 20, 55, 1, "37"},
    {Measurement::HeadCircumference, 75, 195, 5, "135"},
}};

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QStringList numbers(int first, int last, int step = 1)
{
    QStringList texts;
    for (int i = first; i <= last; i += step) {
        texts.append(QString::number(i));
    }
    return texts;
}

void fillNumbers(PickList* list, int first, int last, int step = 1)
{
    list->addItemTexts(numbers(first, last, step));
}

Date today()
{
    const QDate d = QDate::currentDate();
    return Date{std::chrono::year{d.year()} / d.month() / d.day()};
}

// A year item goes in its place among the ascending years; it runs nothing.
void listYear(PickList* years, int year)
{
    const QString yearText = QString::number(year);
    if (years->findText(yearText) >= 0) {
        return;
    }
    int index = 0;
    while (index < years->count() && years->itemText(index).toInt() < year) {
        ++index;
    }
    years->insertItemText(index, yearText);
}

// Day items up to `day` are added at the end; they run nothing.
void listDay(PickList* days, int day)
{
    for (int i = days->count() + 1; i <= day; ++i) {
        days->addItemText(QString::number(i));
    }
}

} // namespace

// Start-up ---------------------------------------------------------------------------------

void QuorvelForm::load()
{
    yesFlash->setInterval(flashInterval);
    gestationFlash->setInterval(flashInterval);
    eddFlash->setInterval(flashInterval);
    vars_.flashCountYes = 0;
    vars_.dobFlashMuted = true;
    vars_.eddDate = today();
    vars_.dobDate = today();

    QStringList months;
    for (const auto month : monthNames) {
        months.append(text(month));
    }
    lmpOrScanMonth->addItemTexts(months);
    birthMonth->addItemTexts(months);
    const QStringList years = numbers(firstListedYear, lastListedYear);
    lmpOrScanYear->addItemTexts(years);
    birthYear->addItemTexts(years);
    fillNumbers(derivedWeeks, firstListedWeek, lastListedWeek);
    derivedWeeks->setText(presetWeeks);
    fillNumbers(derivedDays, firstListedDay, lastListedDay);
    derivedDays->setText(presetDays);

    lmpOrScanMonth->setText(presetScanMonth);
    birthMonth->setText(presetBirthMonth);
    // The month handlings have picked day 1 already; these two run nothing.
    lmpOrScanDay->setText(presetDay);
    birthDay->setText(presetDay);
    lmpOrScanYear->setText(presetYear);
    birthYear->setText(presetYear);
    bpdOption->setChecked(true);
    ultrasoundOption->setChecked(true);

    // These steps repeat what the ultrasound-based handling has just done and change nothing
    // now. They stay, in this order, because start-up is a fixed sequence whose order is the
    // behaviour: they state the arrangement it ends in instead of leaving it to whatever the
    // handlings above happened to set last.
    calculateEddButton->setVisible(true);
    setDefaultButton(calculateEddButton);
    calculateGestationButton->setVisible(false);
    eddFrame->setVisible(false);
    measurementFrame->setVisible(true);
    gestationFrame->setVisible(false);
    birthDateFrame->setVisible(false);
    measurementValue->setVisible(true);
    setListAvailable(measurementValue, true);
    mmLabel->setVisible(true);
    lmpOrScanDay->setText(presetDay);
    lmpOrScanDateFrame->setTitle(scanDateCaption);
    lmpOrScanMonth->setVisible(true);
    questionFrame->setVisible(false);
    noOption->setChecked(true);
}

// Mode and scan data -----------------------------------------------------------------------

// The date re-prompt's withdrawal, between the flash and making Calculate EDD the default.
void QuorvelForm::repromptEdd()
{
    startEddFlash();
    datePrompt();
    setDefaultButton(calculateEddButton);
}

void QuorvelForm::chooseLmpBased()
{
    crlOption->setEnabled(false);
    bpdOption->setEnabled(false);
    hcOption->setEnabled(false);
    calculateEddButton->setVisible(true);
    setDefaultButton(calculateEddButton);
    calculateGestationButton->setVisible(false);
    eddFrame->setVisible(false);
    measurementFrame->setEnabled(false);
    scanDataFrame->setEnabled(false);
    gestationFrame->setVisible(false);
    birthDateFrame->setVisible(false);
    setListAvailable(measurementValue, false);
    mmLabel->setEnabled(false);
    setListAvailable(derivedWeeks, false);
    setListAvailable(derivedDays, false);
    derivedWeeksLabel->setEnabled(false);
    derivedDaysLabel->setEnabled(false);
    fetalBiometryOption->setEnabled(false);
    derivedGestationOption->setEnabled(false);
    lmpOrScanDay->setText(presetDay);
    lmpOrScanDateFrame->setTitle(lmpDateCaption);
    questionFrame->setVisible(false);
    noOption->setChecked(true);
}

void QuorvelForm::chooseUltrasoundBased()
{
    ultrasoundOption->setChecked(true);
    fetalBiometryOption->setChecked(true);
    crlOption->setEnabled(true);
    bpdOption->setEnabled(true);
    hcOption->setEnabled(true);
    calculateEddButton->setVisible(true);
    eddFrame->setVisible(false);
    measurementFrame->setEnabled(true);
    scanDataFrame->setEnabled(true);
    gestationFrame->setVisible(false);
    birthDateFrame->setVisible(false);
    fetalBiometryOption->setEnabled(true);
    derivedGestationOption->setEnabled(true);
    setListAvailable(derivedWeeks, false);
    setListAvailable(derivedDays, false);
    derivedWeeksLabel->setEnabled(false);
    derivedDaysLabel->setEnabled(false);
    setListAvailable(measurementValue, true);
    mmLabel->setEnabled(true);
    lmpOrScanMonth->setText(presetScanMonth);
    lmpOrScanDay->setText(presetDay);
    lmpOrScanYear->setText(presetYear);
    lmpOrScanDateFrame->setTitle(scanDateCaption);
    questionFrame->setVisible(false);
    noOption->setChecked(true);
    setDefaultButton(calculateEddButton);
    calculateGestationButton->setVisible(false);
}

void QuorvelForm::chooseFetalBiometry()
{
    arrangeScanData(true);
}

void QuorvelForm::chooseDerivedGestation()
{
    arrangeScanData(false);
}

// Fetal biometry offers the measurement, derived gestation the weeks and days; the scan data
// frame stays available for both.
void QuorvelForm::arrangeScanData(bool fetalBiometry)
{
    crlOption->setEnabled(fetalBiometry);
    bpdOption->setEnabled(fetalBiometry);
    hcOption->setEnabled(fetalBiometry);
    scanDataFrame->setEnabled(true);
    measurementFrame->setEnabled(fetalBiometry);
    setListAvailable(measurementValue, fetalBiometry);
    mmLabel->setEnabled(fetalBiometry);
    setListAvailable(derivedWeeks, !fetalBiometry);
    setListAvailable(derivedDays, !fetalBiometry);
    derivedWeeksLabel->setEnabled(!fetalBiometry);
    derivedDaysLabel->setEnabled(!fetalBiometry);
    repromptEdd();
}

// The list shows inputBackColor while available and unavailableBackColor while not, from the
// colours it was given once when built.
void QuorvelForm::setListAvailable(PickList* list, bool available)
{
    list->setEnabled(available);
}

// Measurement ------------------------------------------------------------------------------

void QuorvelForm::chooseMeasurement(Measurement kind)
{
    for (const MeasurementList& m : measurementLists) {
        if (m.kind == kind) {
            measurementValue->clearItems();
            fillNumbers(measurementValue, m.first, m.last, m.step);
            measurementValue->setText(m.preset);
        }
    }
}

// Date lists -------------------------------------------------------------------------------

void QuorvelForm::refillDays(PickList* days, const QString& monthText)
{
    const int n = daysInMonth(monthText.toStdString());
    days->clearItems();
    fillNumbers(days, 1, n);
}

void QuorvelForm::lmpOrScanMonthPicked()
{
    startEddFlash();
    refillDays(lmpOrScanDay, lmpOrScanMonth->text());
    lmpOrScanDay->setText(presetDay);
    datePrompt();
}

void QuorvelForm::lmpOrScanDayOrYearPicked()
{
    startEddFlash();
    datePrompt();
}

void QuorvelForm::datePrompt()
{
    calculateGestationButton->setVisible(false);
    eddFrame->setVisible(false);
    gestationFrame->setVisible(false);
    questionFrame->setVisible(false);
    noOption->setChecked(true);
    birthDateFrame->setVisible(false);
    calculateEddButton->setVisible(true);
}

void QuorvelForm::dobMonthPicked()
{
    vars_.flashCountGest = 0;
    if (!vars_.dobFlashMuted) {
        startGestFlash();
    }
    refillDays(birthDay, birthMonth->text());
    birthDay->setText(presetDay);
    gestationFrame->setVisible(false);
    vars_.dobFlashMuted = false;
    setDefaultButton(calculateGestationButton);
    calculateGestationButton->setVisible(true);
}

void QuorvelForm::dobDayPicked()
{
    vars_.flashCountGest = 0;
    if (!vars_.dobFlashMuted) {
        startGestFlash();
    }
    gestationFrame->setVisible(false);
    setDefaultButton(calculateGestationButton);
    calculateGestationButton->setVisible(true);
    vars_.dobFlashMuted = false;
}

void QuorvelForm::dobYearPicked()
{
    vars_.flashCountGest = 0;
    startGestFlash();
    gestationFrame->setVisible(false);
    setDefaultButton(calculateGestationButton);
    calculateGestationButton->setVisible(true);

    // The Yes answer lists 29 February for an EDD on that day; in a year without it the day
    // would name no date, so the row falls back to the 28th.
    const auto leapDay = dateFromTexts(leapDayText, "February", birthYear->text().toStdString());
    if (birthMonth->text() == "February" && birthDay->findText(leapDayText) >= 0 && !leapDay) {
        if (birthDay->text() == leapDayText) {
            birthDay->setText(lastFebruaryDayText);
        }
        birthDay->removeItemText(leapDayText);
    }
}

// Calculations, question and restart -------------------------------------------------------

QString QuorvelForm::longDate(const Date& date)
{
    return text(longDateText(date));
}

void QuorvelForm::calculateEdd()
{
    startYesFlash();

    EddInputs in;
    in.mode =
        ultrasoundOption->isChecked() ? DatingMode::Ultrasound : DatingMode::LastMenstrualPeriod;
    in.scanData =
        fetalBiometryOption->isChecked() ? ScanData::FetalBiometry : ScanData::DerivedGestation;
    in.measurement = measurementFromOptions(crlOption->isChecked(), bpdOption->isChecked());
    in.measurementText = measurementValue->text().toStdString();
    in.weeksText = derivedWeeks->text().toStdString();
    in.daysText = derivedDays->text().toStdString();
    in.dayText = lmpOrScanDay->text().toStdString();
    in.monthText = lmpOrScanMonth->text().toStdString();
    in.yearText = lmpOrScanYear->text().toStdString();
    const auto result = computeEdd(in);
    if (!result) {
        // The lists offer only what the arithmetic accepts; nothing is shown rather than a
        // wrong date should that ever fail.
        qWarning("Calculate EDD: %s", describe(result.error()));
        return;
    }

    if (result->scan) {
        vars_.scanGestDays = result->scan->gestationalDays;
        vars_.scanDaysToEdd = result->scan->daysToEdd;
    }
    eddResult->setText(longDate(result->edd));
    // The stored EDD is read back from the label so that it is always the day the user sees.
    vars_.eddDate = dateFromText(eddResult->text().toStdString()).value();
    questionFrame->setVisible(true);
    handOnFocus(yesOption);
    // Its own flash, if still running, would bring the button back over the result.
    eddFlash->setEnabled(false);
    calculateEddButton->setVisible(false);
    // Shown last: a screen reader speaks the result after it has told where the focus went.
    eddFrame->setVisible(true);
}

void QuorvelForm::calculateGestation()
{
    const auto g =
        computeGestAtBirth(birthDay->text().toStdString(), birthMonth->text().toStdString(),
                           birthYear->text().toStdString(), vars_.eddDate);
    if (!g) {
        qWarning("Calculate gestation: %s", describe(g.error()));
        gestationFrame->setVisible(false);
        return;
    }
    vars_.dobDate = g->dateOfBirth;
    gestationResult->setText(text(g->caption));
    handOnFocus(birthMonth);
    calculateGestationButton->setVisible(false);
    // Shown last: a screen reader speaks the result after it has told where the focus went.
    gestationFrame->setVisible(true);
}

void QuorvelForm::answerYes()
{
    const std::chrono::year_month_day edd{vars_.eddDate};
    const int day = static_cast<int>(static_cast<unsigned>(edd.day()));
    const int year = static_cast<int>(edd.year());

    birthDateFrame->setVisible(true);
    birthMonth->setText(text(monthName(static_cast<int>(static_cast<unsigned>(edd.month())))));
    listDay(birthDay, day);
    birthDay->setText(QString::number(day));
    listYear(birthYear, year);
    birthYear->setText(QString::number(year));
    birthMonth->setVisible(true);
    birthDay->setVisible(true);
    birthYear->setVisible(true);
    // Chosen from the keyboard, Yes is confirmed before the focus moves on to the row.
    if (yesOption->hasFocus()) {
        announcer_->confirm(QString::fromUtf8(yesConfirmation));
    }
    birthMonth->setFocus();
    calculateGestationButton->setVisible(true);
    // With the lists already at the EDD no list handling has made it the default.
    setDefaultButton(calculateGestationButton);
    calculateEddButton->setVisible(false);
}

void QuorvelForm::answerNo()
{
    birthDateFrame->setVisible(false);
    gestationFrame->setVisible(false);
    calculateGestationButton->setVisible(false);
}

void QuorvelForm::restart()
{
    chooseUltrasoundBased();
}

} // namespace quorvel
