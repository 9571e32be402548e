#include "support/formprobe.h"

namespace quorvel::test {

bool FormProbe::shown(const char* name) const
{
    return get(name)->isVisibleTo(&form_);
}

bool FormProbe::ownEnabled(const char* name) const
{
    return !get(name)->testAttribute(Qt::WA_ForceDisabled);
}

bool FormProbe::usable(QWidget* w) const
{
    return w->isVisibleTo(&form_) && w->isEnabled();
}

void FormProbe::pick(const char* name, const QString& item) const
{
    auto* l = list(name);
    const int index = l->findText(item);
    if (index < 0) {
        qFatal("%s offers no %s", name, qPrintable(item));
    }
    l->setCurrentIndex(index);
}

void FormProbe::pickDate(const char* row, const QString& day, const QString& month,
                         const QString& year) const
{
    const QByteArray prefix(row);
    pick(prefix + "Month", month);
    pick(prefix + "Day", day);
    pick(prefix + "Year", year);
}

void FormProbe::choose(const char* name) const
{
    option(name)->click();
}

void FormProbe::click(const char* name) const
{
    button(name)->click();
}

void FormProbe::pressEnter() const
{
    QTest::keyClick(&form_, Qt::Key_Return);
}

bool FormProbe::flashing() const
{
    return timer("yesFlash")->isRunning() || timer("gestationFlash")->isRunning() ||
           timer("eddFlash")->isRunning();
}

void FormProbe::finishFlashes() const
{
    while (timer("yesFlash")->isEnabled()) {
        form_.yesFlashTick();
    }
    while (timer("gestationFlash")->isEnabled()) {
        form_.gestationFlashTick();
    }
    while (timer("eddFlash")->isEnabled()) {
        form_.eddFlashTick();
    }
}

Result<EddResult> FormProbe::eddOnScreen() const
{
    EddInputs in;
    in.mode = option("ultrasoundOption")->isChecked() ? DatingMode::Ultrasound
                                                      : DatingMode::LastMenstrualPeriod;
    in.scanData = option("fetalBiometryOption")->isChecked() ? ScanData::FetalBiometry
                                                             : ScanData::DerivedGestation;
    in.measurement =
        measurementFromOptions(option("crlOption")->isChecked(), option("bpdOption")->isChecked());
    in.measurementText = list("measurementValue")->text().toStdString();
    in.weeksText = list("derivedWeeks")->text().toStdString();
    in.daysText = list("derivedDays")->text().toStdString();
    in.dayText = list("lmpOrScanDay")->text().toStdString();
    in.monthText = list("lmpOrScanMonth")->text().toStdString();
    in.yearText = list("lmpOrScanYear")->text().toStdString();
    return computeEdd(in);
}

Result<GestationAtBirth> FormProbe::gestationOnScreen() const
{
    return computeGestAtBirth(list("birthDay")->text().toStdString(),
                              list("birthMonth")->text().toStdString(),
                              list("birthYear")->text().toStdString(), form_.variables().eddDate);
}

} // namespace quorvel::test
