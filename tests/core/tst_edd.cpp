#include "coretest.h"

class EddTest : public QObject {
    Q_OBJECT
private slots:
    void measurementChosenByOptions_data();
    void measurementChosenByOptions();
    void eddOfDatingChoices_data();
    void eddOfDatingChoices();
    void refusesInputsWithoutAnEdd_data();
    void refusesInputsWithoutAnEdd();
};

QUORVEL_CORE_CASES(EddTest, measurementChosenByOptions, MeasurementOptions)

QUORVEL_CORE_CASES(EddTest, eddOfDatingChoices, Edds)

QUORVEL_CORE_CASES(EddTest, refusesInputsWithoutAnEdd, NoEdds)

QTEST_APPLESS_MAIN(EddTest)
#include "tst_edd.moc"
