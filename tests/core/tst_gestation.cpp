#include "coretest.h"
#include "gestationcases.h"

using namespace quorvel;

class GestationTest : public QObject {
    Q_OBJECT
private slots:
    void gestationAtBirth_data() { addCaseRows(gestationCases); }
    void gestationAtBirth();
    void limitsOfTheDistance_data() { addCaseRows(gestationLimitCases); }
    void limitsOfTheDistance();
};

void GestationTest::gestationAtBirth()
{
    const auto& c = currentCase(gestationCases);
    const auto g = computeGestAtBirth(c.dayText, c.monthText, c.yearText, gestationCasesEdd);
    QVERIFY(g.ok());
    QCOMPARE(g->dateOfBirth, c.birth);
    QCOMPARE(static_cast<int>(g->gestationDays), c.gestationDays);
    QCOMPARE(static_cast<int>(g->weeks), c.weeks);
    QCOMPARE(static_cast<int>(g->days), c.days);
    QCOMPARE(std::string_view(g->caption), c.caption);
}

void GestationTest::limitsOfTheDistance()
{
    const auto& c = currentCase(gestationLimitCases);
    const auto g = computeGestAtBirth(c.dayText, "January", "2000", c.edd);
    if (!c.ok) {
        QUORVEL_REFUSED(g, c.error);
        return;
    }
    QVERIFY(g.ok());
    QCOMPARE(static_cast<int>(g->gestationDays), c.gestationDays);
}

QTEST_APPLESS_MAIN(GestationTest)
#include "tst_gestation.moc"
