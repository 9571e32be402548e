#include "coretest.h"
#include "eddcases.h"

using namespace quorvel;

class EddTest : public QObject {
    Q_OBJECT
private slots:
    void measurementChosenByOptions_data() { addCaseRows(measurementOptionCases); }
    void measurementChosenByOptions();
    void eddOfDatingChoices_data() { addCaseRows(eddCases); }
    void eddOfDatingChoices();
    void refusesInputsWithoutAnEdd_data() { addCaseRows(noEddCases); }
    void refusesInputsWithoutAnEdd();
};

void EddTest::measurementChosenByOptions()
{
    const auto& c = currentCase(measurementOptionCases);
    QCOMPARE(measurementFromOptions(c.crownRump, c.biparietal), c.measurement);
}

void EddTest::eddOfDatingChoices()
{
    const auto& c = currentCase(eddCases);
    const auto result = computeEdd(c.inputs);
    QVERIFY(result.ok());
    QCOMPARE(result->edd, c.edd);
    const std::string text = longDateText(result->edd);
    QCOMPARE(std::string_view(text), c.eddText);
    const auto read = dateFromText(text);
    QVERIFY(read.ok());
    QCOMPARE(*read, c.edd);
    QCOMPARE(result->scan.has_value(), c.wholeDays >= 0);
    if (result->scan) {
        QCOMPARE(static_cast<int>(std::floor(result->scan->gestationalDays)), c.wholeDays);
        QCOMPARE(static_cast<int>(result->scan->daysToEdd), c.toEdd);
    }
}

void EddTest::refusesInputsWithoutAnEdd()
{
    const auto& c = currentCase(noEddCases);
    QUORVEL_REFUSED(computeEdd(c.inputs), c.error);
}

QTEST_APPLESS_MAIN(EddTest)
#include "tst_edd.moc"
