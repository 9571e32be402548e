#include "core/edd.h"
#include "coretest.h"
#include "eddcases.h"

#include <cmath>

using namespace quorvel;

Q_DECLARE_METATYPE(quorvel::EddInputs)
Q_DECLARE_METATYPE(quorvel::Measurement)
Q_DECLARE_METATYPE(quorvel::DatingError)

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

void EddTest::measurementChosenByOptions_data()
{
    QTest::addColumn<bool>("crownRump");
    QTest::addColumn<bool>("biparietal");
    QTest::addColumn<Measurement>("measurement");
    for (const auto& c : measurementOptionCases)
        QTest::newRow(c.name) << c.crownRump << c.biparietal << c.measurement;
}

void EddTest::measurementChosenByOptions()
{
    QFETCH(bool, crownRump);
    QFETCH(bool, biparietal);
    QFETCH(Measurement, measurement);
    QCOMPARE(measurementFromOptions(crownRump, biparietal), measurement);
}

void EddTest::eddOfDatingChoices_data()
{
    QTest::addColumn<EddInputs>("inputs");
    QTest::addColumn<Date>("edd");
    QTest::addColumn<QByteArray>("eddText");
    QTest::addColumn<int>("wholeDays"); // -1: no scan result
    QTest::addColumn<int>("toEdd");
    for (const auto& c : eddCases)
        QTest::newRow(c.name) << c.inputs << c.edd << bytes(c.eddText) << c.wholeDays << c.toEdd;
}

void EddTest::eddOfDatingChoices()
{
    QFETCH(EddInputs, inputs);
    QFETCH(Date, edd);
    QFETCH(QByteArray, eddText);
    QFETCH(int, wholeDays);
    QFETCH(int, toEdd);
    const auto result = computeEdd(inputs);
    QVERIFY(result.ok());
    QCOMPARE(result->edd, edd);
    const std::string text = longDateText(result->edd);
    QCOMPARE(QByteArray::fromStdString(text), eddText);
    QCOMPARE(dateFromText(text).value(), edd);
    QCOMPARE(result->scan.has_value(), wholeDays >= 0);
    if (result->scan) {
        QCOMPARE(static_cast<int>(std::floor(result->scan->gestationalDays)), wholeDays);
        QCOMPARE(result->scan->daysToEdd, toEdd);
    }
}

void EddTest::refusesInputsWithoutAnEdd_data()
{
    QTest::addColumn<EddInputs>("inputs");
    QTest::addColumn<DatingError>("error");
    for (const auto& c : noEddCases)
        QTest::newRow(c.name) << c.inputs << c.error;
}

void EddTest::refusesInputsWithoutAnEdd()
{
    QFETCH(EddInputs, inputs);
    QFETCH(DatingError, error);
    const auto result = computeEdd(inputs);
    QVERIFY(!result.ok());
    QCOMPARE(result.error(), error);
}

QTEST_APPLESS_MAIN(EddTest)
#include "tst_edd.moc"
