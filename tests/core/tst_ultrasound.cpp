#include "coretest.h"
#include "ultrasoundcases.h"

#include <cstdio>

using namespace quorvel;

class UltrasoundTest : public QObject {
    Q_OBJECT
private slots:
    void publishedValues_data() { addCaseRows(publishedValueCases); }
    void publishedValues();
    void everyListedMeasurement_data() { addCaseRows(listedMeasurementCases); }
    void everyListedMeasurement();
    void everyListedDerivedGestation();
    void daysToEddLimits_data() { addCaseRows(daysToEddCases); }
    void daysToEddLimits();
};

void UltrasoundTest::publishedValues()
{
    const auto& c = currentCase(publishedValueCases);
    const double g = gestDays(c.scan, c.value, c.days);
    char fourDecimals[64];
    std::snprintf(fourDecimals, sizeof fourDecimals, "%.4f", g);
    QCOMPARE(std::string_view(fourDecimals), c.gestationalDays);
    QCOMPARE(static_cast<int>(std::floor(g)), c.wholeDays);
    const auto toEdd = daysToEdd(g);
    QVERIFY(toEdd.ok());
    QCOMPARE(static_cast<int>(*toEdd), c.toEdd);
}

void UltrasoundTest::everyListedMeasurement()
{
    const std::string failure = listedMeasurementFailure(currentCase(listedMeasurementCases));
    QVERIFY2(failure.empty(), failure.c_str());
}

void UltrasoundTest::everyListedDerivedGestation()
{
    const std::string failure = listedDerivedGestationFailure();
    QVERIFY2(failure.empty(), failure.c_str());
}

void UltrasoundTest::daysToEddLimits()
{
    const auto& c = currentCase(daysToEddCases);
    if (!c.ok) {
        QUORVEL_REFUSED(daysToEdd(c.gestationalDays), DatingError::OutOfRange);
        return;
    }
    const auto toEdd = daysToEdd(c.gestationalDays);
    QVERIFY(toEdd.ok());
    QCOMPARE(static_cast<int>(*toEdd), c.toEdd);
}

QTEST_APPLESS_MAIN(UltrasoundTest)
#include "tst_ultrasound.moc"
