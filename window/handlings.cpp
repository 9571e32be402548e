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
    Timer1->setInterval(flashInterval);
    Timer2->setInterval(flashInterval);
    Timer3->setInterval(flashInterval);
    vars_.flashCountYes = 0;
    vars_.dobFlashMuted = true;
    vars_.eddDate = today();
    vars_.dobDate = today();

    QStringList months;
    for (const auto month : monthNames) {
        months.append(text(month));
    }
    DDLSDateM->addItemTexts(months);
    DDDOBDateM->addItemTexts(months);
    const QStringList years = numbers(firstListedYear, lastListedYear);
    DDLSDateY->addItemTexts(years);
    DDDOBDateY->addItemTexts(years);
    fillNumbers(DDUSW, firstListedWeek, lastListedWeek);
    DDUSW->setText(presetWeeks);
    fillNumbers(DDUSD, firstListedDay, lastListedDay);
    DDUSD->setText(presetDays);

    DDLSDateM->setText(presetScanMonth);
    DDDOBDateM->setText(presetBirthMonth);
    // The month handlings have picked day 1 already; these two run nothing.
    DDLSDateD->setText(presetDay);
    DDDOBDateD->setText(presetDay);
    DDLSDateY->setText(presetYear);
    DDDOBDateY->setText(presetYear);
    OptBPD->setChecked(true);
    OptUS->setChecked(true);

    // These steps repeat what the ultrasound-based handling has just done and change nothing
    // now. They stay, in this order, because start-up is a fixed sequence whose order is the
    // behaviour: they state the arrangement it ends in instead of leaving it to whatever the
    // handlings above happened to set last.
    ComCalcEDD->setVisible(true);
    setDefaultButton(ComCalcEDD);
    ComCalcGest->setVisible(false);
    FrameEDD->setVisible(false);
    FrameCBH->setVisible(true);
    FrameGest->setVisible(false);
    FrameDOB->setVisible(false);
    DDVal->setVisible(true);
    setListAvailable(DDVal, true);
    Labmm->setVisible(true);
    DDLSDateD->setText(presetDay);
    FrameDate->setTitle(scanDateCaption);
    DDLSDateM->setVisible(true);
    FrameQDOB->setVisible(false);
    OptNo->setChecked(true);
}

// Mode and scan data -----------------------------------------------------------------------

// The date re-prompt's withdrawal, between the flash and making Calculate EDD the default.
void QuorvelForm::repromptEdd()
{
    startEddFlash();
    datePrompt();
    setDefaultButton(ComCalcEDD);
}

void QuorvelForm::chooseLmpBased()
{
    OptCRL->setEnabled(false);
    OptBPD->setEnabled(false);
    OptHC->setEnabled(false);
    ComCalcEDD->setVisible(true);
    setDefaultButton(ComCalcEDD);
    ComCalcGest->setVisible(false);
    FrameEDD->setVisible(false);
    FrameCBH->setEnabled(false);
    FrameUS->setEnabled(false);
    FrameGest->setVisible(false);
    FrameDOB->setVisible(false);
    setListAvailable(DDVal, false);
    Labmm->setEnabled(false);
    setListAvailable(DDUSW, false);
    setListAvailable(DDUSD, false);
    LabUSW->setEnabled(false);
    LabUSD->setEnabled(false);
    OptFB->setEnabled(false);
    OptDG->setEnabled(false);
    DDLSDateD->setText(presetDay);
    FrameDate->setTitle(lmpDateCaption);
    FrameQDOB->setVisible(false);
    OptNo->setChecked(true);
}

void QuorvelForm::chooseUltrasoundBased()
{
    OptUS->setChecked(true);
    OptFB->setChecked(true);
    OptCRL->setEnabled(true);
    OptBPD->setEnabled(true);
    OptHC->setEnabled(true);
    ComCalcEDD->setVisible(true);
    FrameEDD->setVisible(false);
    FrameCBH->setEnabled(true);
    FrameUS->setEnabled(true);
    FrameGest->setVisible(false);
    FrameDOB->setVisible(false);
    OptFB->setEnabled(true);
    OptDG->setEnabled(true);
    setListAvailable(DDUSW, false);
    setListAvailable(DDUSD, false);
    LabUSW->setEnabled(false);
    LabUSD->setEnabled(false);
    setListAvailable(DDVal, true);
    Labmm->setEnabled(true);
    DDLSDateM->setText(presetScanMonth);
    DDLSDateD->setText(presetDay);
    DDLSDateY->setText(presetYear);
    FrameDate->setTitle(scanDateCaption);
    FrameQDOB->setVisible(false);
    OptNo->setChecked(true);
    setDefaultButton(ComCalcEDD);
    ComCalcGest->setVisible(false);
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
    OptCRL->setEnabled(fetalBiometry);
    OptBPD->setEnabled(fetalBiometry);
    OptHC->setEnabled(fetalBiometry);
    FrameUS->setEnabled(true);
    FrameCBH->setEnabled(fetalBiometry);
    setListAvailable(DDVal, fetalBiometry);
    Labmm->setEnabled(fetalBiometry);
    setListAvailable(DDUSW, !fetalBiometry);
    setListAvailable(DDUSD, !fetalBiometry);
    LabUSW->setEnabled(!fetalBiometry);
    LabUSD->setEnabled(!fetalBiometry);
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
            DDVal->clearItems();
            fillNumbers(DDVal, m.first, m.last, m.step);
            DDVal->setText(m.preset);
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

void QuorvelForm::lsMonthPicked()
{
    startEddFlash();
    refillDays(DDLSDateD, DDLSDateM->text());
    DDLSDateD->setText(presetDay);
    datePrompt();
}

void QuorvelForm::lsDayOrYearPicked()
{
    startEddFlash();
    datePrompt();
}

void QuorvelForm::datePrompt()
{
    ComCalcGest->setVisible(false);
    FrameEDD->setVisible(false);
    FrameGest->setVisible(false);
    FrameQDOB->setVisible(false);
    OptNo->setChecked(true);
    FrameDOB->setVisible(false);
    ComCalcEDD->setVisible(true);
}

void QuorvelForm::dobMonthPicked()
{
    vars_.flashCountGest = 0;
    if (!vars_.dobFlashMuted) {
        startGestFlash();
    }
    refillDays(DDDOBDateD, DDDOBDateM->text());
    DDDOBDateD->setText(presetDay);
    FrameGest->setVisible(false);
    vars_.dobFlashMuted = false;
    setDefaultButton(ComCalcGest);
    ComCalcGest->setVisible(true);
}

void QuorvelForm::dobDayPicked()
{
    vars_.flashCountGest = 0;
    if (!vars_.dobFlashMuted) {
        startGestFlash();
    }
    FrameGest->setVisible(false);
    setDefaultButton(ComCalcGest);
    ComCalcGest->setVisible(true);
    vars_.dobFlashMuted = false;
}

void QuorvelForm::dobYearPicked()
{
    vars_.flashCountGest = 0;
    startGestFlash();
    FrameGest->setVisible(false);
    setDefaultButton(ComCalcGest);
    ComCalcGest->setVisible(true);

    // The Yes answer lists 29 February for an EDD on that day; in a year without it the day
    // would name no date, so the row falls back to the 28th.
    const auto leapDay = dateFromTexts(leapDayText, "February", DDDOBDateY->text().toStdString());
    if (DDDOBDateM->text() == "February" && DDDOBDateD->findText(leapDayText) >= 0 && !leapDay) {
        if (DDDOBDateD->text() == leapDayText) {
            DDDOBDateD->setText(lastFebruaryDayText);
        }
        DDDOBDateD->removeItemText(leapDayText);
    }
}

// Calculations, question and restart -------------------------------------------------------

QString QuorvelForm::datenice(const Date& xdate)
{
    return text(longDateText(xdate));
}

void QuorvelForm::calculateEdd()
{
    startYesFlash();

    EddInputs in;
    in.mode = OptUS->isChecked() ? DatingMode::Ultrasound : DatingMode::LastMenstrualPeriod;
    in.scanData = OptFB->isChecked() ? ScanData::FetalBiometry : ScanData::DerivedGestation;
    in.measurement = measurementFromOptions(OptCRL->isChecked(), OptBPD->isChecked());
    in.measurementText = DDVal->text().toStdString();
    in.weeksText = DDUSW->text().toStdString();
    in.daysText = DDUSD->text().toStdString();
    in.dayText = DDLSDateD->text().toStdString();
    in.monthText = DDLSDateM->text().toStdString();
    in.yearText = DDLSDateY->text().toStdString();
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
    LabEDD->setText(datenice(result->edd));
    // The stored EDD is read back from the label so that it is always the day the user sees.
    vars_.eddDate = dateFromText(LabEDD->text().toStdString()).value();
    FrameQDOB->setVisible(true);
    handOnFocus(OptYes);
    // Its own flash, if still running, would bring the button back over the result.
    Timer3->setEnabled(false);
    ComCalcEDD->setVisible(false);
    // Shown last: a screen reader speaks the result after it has told where the focus went.
    FrameEDD->setVisible(true);
}

void QuorvelForm::calculateGestation()
{
    const auto g =
        computeGestAtBirth(DDDOBDateD->text().toStdString(), DDDOBDateM->text().toStdString(),
                           DDDOBDateY->text().toStdString(), vars_.eddDate);
    if (!g) {
        qWarning("Calculate gestation: %s", describe(g.error()));
        FrameGest->setVisible(false);
        return;
    }
    vars_.dobDate = g->dateOfBirth;
    LabGest->setText(text(g->caption));
    handOnFocus(DDDOBDateM);
    ComCalcGest->setVisible(false);
    // Shown last: a screen reader speaks the result after it has told where the focus went.
    FrameGest->setVisible(true);
}

void QuorvelForm::answerYes()
{
    const std::chrono::year_month_day edd{vars_.eddDate};
    const int day = static_cast<int>(static_cast<unsigned>(edd.day()));
    const int year = static_cast<int>(edd.year());

    FrameDOB->setVisible(true);
    DDDOBDateM->setText(text(monthName(static_cast<int>(static_cast<unsigned>(edd.month())))));
    listDay(DDDOBDateD, day);
    DDDOBDateD->setText(QString::number(day));
    listYear(DDDOBDateY, year);
    DDDOBDateY->setText(QString::number(year));
    DDDOBDateM->setVisible(true);
    DDDOBDateD->setVisible(true);
    DDDOBDateY->setVisible(true);
    // Chosen from the keyboard, Yes is confirmed before the focus moves on to the row.
    if (OptYes->hasFocus()) {
        announcer_->announce(QString::fromUtf8(yesConfirmation));
    }
    DDDOBDateM->setFocus();
    ComCalcGest->setVisible(true);
    // With the lists already at the EDD no list handling has made it the default.
    setDefaultButton(ComCalcGest);
    ComCalcEDD->setVisible(false);
}

void QuorvelForm::answerNo()
{
    FrameDOB->setVisible(false);
    FrameGest->setVisible(false);
    ComCalcGest->setVisible(false);
}

void QuorvelForm::restart()
{
    chooseUltrasoundBased();
}

} // namespace quorvel
