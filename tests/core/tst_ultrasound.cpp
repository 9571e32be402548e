#include "coretest.h"

class UltrasoundTest : public QObject {
    Q_OBJECT
private slots:
    void publishedValues_data();
    void publishedValues();
    void everyListedMeasurement_data();
    void everyListedMeasurement();
    void everyListedDerivedGestation();
    void daysToEddLimits_data();
    void daysToEddLimits();
};

QUORVEL_CORE_CASES(UltrasoundTest, publishedValues, PublishedValues)

QUORVEL_CORE_CASES(UltrasoundTest, everyListedMeasurement, ListedMeasurements)

void UltrasoundTest::everyListedDerivedGestation()
{
    quorvel::corecases::checkOnlyCase(quorvel::corecases::Group::ListedDerivedGestations);
}

QUORVEL_CORE_CASES(UltrasoundTest, daysToEddLimits, DaysToEddLimits)

QTEST_APPLESS_MAIN(UltrasoundTest)
#include "tst_ultrasound.moc"
