#pragma once

// Drives a QuorvelForm as a user would and reads what it shows, by control name.

#include "core/edd.h"
#include "core/gestation.h"
#include "window/appearance.h"
#include "window/intervaltimer.h"
#include "window/picklist.h"
#include "window/quorvelform.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace quorvel::test {

class FormProbe {
public:
    explicit FormProbe(QuorvelForm& form) : form_(form) {}

    template <typename T = QWidget>
    T* get(const char* name) const
    {
        auto* object = form_.findChild<T*>(QString::fromUtf8(name));
        if (object == nullptr) {
            qFatal("no control %s", name);
        }
        return object;
    }
    PickList* list(const char* name) const { return get<PickList>(name); }
    QRadioButton* option(const char* name) const { return get<QRadioButton>(name); }
    QPushButton* button(const char* name) const { return get<QPushButton>(name); }
    IntervalTimer* timer(const char* name) const { return get<IntervalTimer>(name); }
    QString text(const char* name) const { return get<QLabel>(name)->text(); }

    // On screen: the control and every frame holding it are visible.
    bool shown(const char* name) const { return get(name)->isVisibleTo(&form_); }
    // The control's own Enabled, whatever its frame says.
    bool ownEnabled(const char* name) const
    {
        return !get(name)->testAttribute(Qt::WA_ForceDisabled);
    }
    // What a user can reach: shown and enabled with all its frames.
    bool usable(QWidget* w) const { return w->isVisibleTo(&form_) && w->isEnabled(); }

    void pick(const char* name, const QString& item) const
    {
        auto* l = list(name);
        const int index = l->findText(item);
        if (index < 0) {
            qFatal("%s offers no %s", name, qPrintable(item));
        }
        l->setCurrentIndex(index);
    }
    void pickDate(const char* row, const QString& day, const QString& month,
                  const QString& year) const
    {
        const QByteArray prefix(row);
        pick(prefix + "M", month);
        pick(prefix + "D", day);
        pick(prefix + "Y", year);
    }
    void choose(const char* name) const { option(name)->click(); }
    void click(const char* name) const { button(name)->click(); }
    void pressEnter() const { QTest::keyClick(&form_, Qt::Key_Return); }

    // The EDD the arithmetic gives for what the controls show now.
    Result<EddResult> eddOnScreen() const
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

    Result<GestationAtBirth> gestationOnScreen() const
    {
        return computeGestAtBirth(
            list("DDDOBDateD")->text().toStdString(), list("DDDOBDateM")->text().toStdString(),
            list("DDDOBDateY")->text().toStdString(), form_.variables().eddDate);
    }

private:
    QuorvelForm& form_;
};

} // namespace quorvel::test

// A test main with the application's own look, so sizes and fonts are the user's.
#define QUORVEL_WINDOW_TEST_MAIN(TestClass)                                                        \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        quorvel::applyAppearance(app);                                                             \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
