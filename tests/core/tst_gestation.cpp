#include "core/gestation.h"
#include "coretest.h"
#include "gestationcases.h"

using namespace quorvel;

Q_DECLARE_METATYPE(quorvel::DatingError)

class GestationTest : public QObject {
    Q_OBJECT
private slots:
    void gestationAtBirth_data();
    void gestationAtBirth();
    void limitsOfTheDistance_data();
    void limitsOfTheDistance();
};

void GestationTest::gestationAtBirth_data()
{
    QTest::addColumn<QByteArray>("dayText");
    QTest::addColumn<QByteArray>("monthText");
    QTest::addColumn<QByteArray>("yearText");
    QTest::addColumn<Date>("birth");
    QTest::addColumn<int>("gestationDays");
    QTest::addColumn<int>("weeks");
    QTest::addColumn<int>("days");
    QTest::addColumn<QByteArray>("caption");
    for (const auto& c : gestationCases)
        QTest::newRow(c.name) << bytes(c.dayText) << bytes(c.monthText) << bytes(c.yearText)
                              << c.birth << c.gestationDays << c.weeks << c.days
                              << bytes(c.caption);
}

void GestationTest::gestationAtBirth()
{
    QFETCH(QByteArray, dayText);
    QFETCH(QByteArray, monthText);
    QFETCH(QByteArray, yearText);
    QFETCH(Date, birth);
    QFETCH(int, gestationDays);
    QFETCH(int, weeks);
    QFETCH(int, days);
    QFETCH(QByteArray, caption);
    const auto g =
        computeGestAtBirth(view(dayText), view(monthText), view(yearText), gestationCasesEdd);
    QVERIFY(g.ok());
    QCOMPARE(g->dateOfBirth, birth);
    QCOMPARE(g->gestationDays, gestationDays);
    QCOMPARE(g->weeks, weeks);
    QCOMPARE(g->days, days);
    QCOMPARE(QByteArray::fromStdString(g->caption), caption);
}

void GestationTest::limitsOfTheDistance_data()
{
    QTest::addColumn<QByteArray>("dayText"); // of January 2000
    QTest::addColumn<Date>("edd");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("gestationDays");
    QTest::addColumn<DatingError>("error");
    for (const auto& c : gestationLimitCases)
        QTest::newRow(c.name) << bytes(c.dayText) << c.edd << c.ok << c.gestationDays << c.error;
}

void GestationTest::limitsOfTheDistance()
{
    QFETCH(QByteArray, dayText);
    QFETCH(Date, edd);
    QFETCH(bool, ok);
    QFETCH(int, gestationDays);
    QFETCH(DatingError, error);
    const auto g = computeGestAtBirth(view(dayText), "January", "2000", edd);
    QCOMPARE(g.ok(), ok);
    if (ok) {
        QCOMPARE(g->gestationDays, gestationDays);
    } else {
        QCOMPARE(g.error(), error);
    }
}

QTEST_APPLESS_MAIN(GestationTest)
#include "tst_gestation.moc"
