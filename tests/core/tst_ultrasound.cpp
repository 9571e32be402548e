#include "core/ultrasound.h"
#include "coretest.h"
#include "ultrasoundcases.h"

#include <cmath>

using namespace quorvel;

Q_DECLARE_METATYPE(Scan)

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

void UltrasoundTest::publishedValues_data()
{
    QTest::addColumn<Scan>("scan");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("days");
    QTest::addColumn<QString>("gestationalDays"); // to four decimals
    QTest::addColumn<int>("wholeDays");
    QTest::addColumn<int>("toEdd");
    for (const auto& c : publishedValueCases)
        QTest::newRow(c.name) << c.scan << c.value << c.days
                              << QString::fromLatin1(bytes(c.gestationalDays)) << c.wholeDays
                              << c.toEdd;
}

void UltrasoundTest::publishedValues()
{
    QFETCH(Scan, scan);
    QFETCH(double, value);
    QFETCH(double, days);
    QFETCH(QString, gestationalDays);
    QFETCH(int, wholeDays);
    QFETCH(int, toEdd);
    const double g = gestDays(scan, value, days);
    QCOMPARE(QString::number(g, 'f', 4), gestationalDays);
    QCOMPARE(static_cast<int>(std::floor(g)), wholeDays);
    QCOMPARE(daysToEdd(g).value(), toEdd);
}

void UltrasoundTest::everyListedMeasurement_data()
{
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < std::size(listedMeasurementCases); ++i)
        QTest::newRow(listedMeasurementCases[i].name) << static_cast<int>(i);
}

void UltrasoundTest::everyListedMeasurement()
{
    QFETCH(int, index);
    const std::string failure =
        listedMeasurementFailure(listedMeasurementCases[static_cast<std::size_t>(index)]);
    QVERIFY2(failure.empty(), failure.c_str());
}

void UltrasoundTest::everyListedDerivedGestation()
{
    const std::string failure = listedDerivedGestationFailure();
    QVERIFY2(failure.empty(), failure.c_str());
}

void UltrasoundTest::daysToEddLimits_data()
{
    QTest::addColumn<double>("gestationalDays");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("toEdd");
    for (const auto& c : daysToEddCases)
        QTest::newRow(c.name) << c.gestationalDays << c.ok << c.toEdd;
}

void UltrasoundTest::daysToEddLimits()
{
    QFETCH(double, gestationalDays);
    QFETCH(bool, ok);
    QFETCH(int, toEdd);
    const auto result = daysToEdd(gestationalDays);
    QCOMPARE(result.ok(), ok);
    if (ok) {
        QCOMPARE(*result, toEdd);
    } else {
        QCOMPARE(result.error(), DatingError::OutOfRange);
    }
}

QTEST_APPLESS_MAIN(UltrasoundTest)
#include "tst_ultrasound.moc"
