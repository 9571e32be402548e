#include "tests/driver/formprobe.h"

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
    pick(prefix + "M", month);
    pick(prefix + "D", day);
    pick(prefix + "Y", year);
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
    return timer("Timer1")->isRunning() || timer("Timer2")->isRunning() ||
           timer("Timer3")->isRunning();
}

void FormProbe::finishFlashes() const
{
    while (timer("Timer1")->isEnabled()) {
        form_.timer1Tick();
    }
    while (timer("Timer2")->isEnabled()) {
        form_.timer2Tick();
    }
    while (timer("Timer3")->isEnabled()) {
        form_.timer3Tick();
    }
}

Result<EddResult> FormProbe::eddOnScreen() const
{
    EddInputs in;
    in.mode =
        option("OptUS")->isChecked() ? DatingMode::Ultrasound : DatingMode::LastMenstrualPeriod;
    in.scanData =
        option("OptFB")->isChecked() ? ScanData::FetalBiometry : ScanData::DerivedGestation;
    in.measurement =
        measurementFromOptions(option("OptCRL")->isChecked(), option("OptBPD")->isChecked());
    in.measurementText = list("DDVal")->text().toStdString();
    in.weeksText = list("DDUSW")->text().toStdString();
    in.daysText = list("DDUSD")->text().toStdString();
    in.dayText = list("DDLSDateD")->text().toStdString();
    in.monthText = list("DDLSDateM")->text().toStdString();
    in.yearText = list("DDLSDateY")->text().toStdString();
    return computeEdd(in);
}

Result<GestationAtBirth> FormProbe::gestationOnScreen() const
{
    return computeGestAtBirth(list("DDDOBDateD")->text().toStdString(),
                              list("DDDOBDateM")->text().toStdString(),
                              list("DDDOBDateY")->text().toStdString(), form_.variables().eddDate);
}

} // namespace quorvel::test
