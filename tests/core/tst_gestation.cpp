#include "core/gestation.h"
#include "coretest.h"

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
    const QByteArray before = bytes(birthBeforePregnancyCaption);
    const auto row = [](const char* name, const char* d, const char* m, const char* y, Date birth,
                        int gestation, int weeks, int days, const QByteArray& caption) {
        QTest::newRow(name) << QByteArray(d) << QByteArray(m) << QByteArray(y) << birth << gestation
                            << weeks << days << caption;
    };
    // Against an EDD of 7 October 2000.
    row("on the EDD", "7", "October", "2000", day(2000, 10, 7), 280, 40, 0, "40 weeks 0 days");
    row("three days late", "10", "October", "2000", day(2000, 10, 10), 283, 40, 3,
        "40 weeks 3 days");
    row("six days early", "1", "October", "2000", day(2000, 10, 1), 274, 39, 1, "39 weeks 1 days");
    row("three weeks early", "15", "September", "2000", day(2000, 9, 15), 258, 36, 6,
        "36 weeks 6 days");
    row("five weeks late", "11", "November", "2000", day(2000, 11, 11), 315, 45, 0,
        "45 weeks 0 days");
    row("one week one day keeps plural words", "9", "January", "2000", day(2000, 1, 9), 8, 1, 1,
        "1 weeks 1 days");
    row("on the start of pregnancy", "1", "January", "2000", day(2000, 1, 1), 0, 0, 0,
        "0 weeks 0 days");
    row("one day before the EDD", "6", "October", "2000", day(2000, 10, 6), 279, 39, 6,
        "39 weeks 6 days");
    row("one day after the EDD", "8", "October", "2000", day(2000, 10, 8), 281, 40, 1,
        "40 weeks 1 days");
    row("one day before pregnancy", "31", "December", "1999", day(1999, 12, 31), -1, -1, -1,
        before);
    row("three days before pregnancy", "29", "December", "1999", day(1999, 12, 29), -3, -1, -3,
        before);
    row("a week before pregnancy", "25", "December", "1999", day(1999, 12, 25), -7, -1, 0, before);
    row("eight days before pregnancy", "24", "December", "1999", day(1999, 12, 24), -8, -2, -1,
        before);
    // 1980 to 2000 holds 20 years and 5 leap days: -7305 days, -1043.57 weeks.
    row("twenty years before pregnancy", "1", "January", "1980", day(1980, 1, 1), -7305, -1044, -4,
        before);
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
        computeGestAtBirth(view(dayText), view(monthText), view(yearText), day(2000, 10, 7));
    QVERIFY(g.ok());
    QCOMPARE(g->dateOfBirth, birth);
    QCOMPARE(g->gestationDays, gestationDays);
    QCOMPARE(g->weeks, weeks);
    QCOMPARE(g->days, days);
    QCOMPARE(QByteArray::fromStdString(g->caption), caption);
}

void GestationTest::limitsOfTheDistance_data()
{
    using std::chrono::days;
    QTest::addColumn<QByteArray>("dayText"); // of January 2000
    QTest::addColumn<Date>("edd");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("gestationDays");
    QTest::addColumn<DatingError>("error");
    const Date birth = day(2000, 1, 1);
    const Date edd = day(2000, 10, 7);
    const auto none = DatingError::NoSuchDate;
    const auto range = DatingError::OutOfRange;
    QTest::newRow("largest gestation that fits")
        << QByteArray("1") << birth - days{32487} << true << 32767 << range;
    QTest::newRow("one day later leaves 16 bits")
        << QByteArray("1") << birth - days{32488} << false << 0 << range;
    QTest::newRow("furthest before the EDD that fits")
        << QByteArray("1") << birth + days{32768} << true << -32488 << range;
    QTest::newRow("one day earlier leaves 16 bits")
        << QByteArray("1") << birth + days{32769} << false << 0 << range;
    QTest::newRow("32 January") << QByteArray("32") << edd << false << 0 << none;
    QTest::newRow("empty day") << QByteArray() << edd << false << 0 << none;
    QTest::newRow("leading zero day") << QByteArray("01") << edd << false << 0 << none;
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
