#include "calendarcases.h"
#include "core/calendar.h"
#include "coretest.h"

using namespace quorvel;

class CalendarTest : public QObject {
    Q_OBJECT
private slots:
    void monthNamesInCalendarOrder_data();
    void monthNamesInCalendarOrder();
    void daysInMonthOfDayLists_data();
    void daysInMonthOfDayLists();
    void longDateTexts_data();
    void longDateTexts();
    void readsDateRowTexts_data();
    void readsDateRowTexts();
    void refusesTextsNamingNoDay_data();
    void refusesTextsNamingNoDay();
    void refusesRowPartsNamingNoDay_data();
    void refusesRowPartsNamingNoDay();
    void everyDayFrom1980To2021RoundTrips();
};

void CalendarTest::monthNamesInCalendarOrder_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<QByteArray>("name");
    for (const auto& c : monthNameCases)
        QTest::newRow(c.name) << c.month << bytes(c.monthName);
}

void CalendarTest::monthNamesInCalendarOrder()
{
    QFETCH(int, month);
    QFETCH(QByteArray, name);
    QCOMPARE(bytes(monthName(month)), name);
    if (month >= 1 && month <= 12) {
        QCOMPARE(bytes(monthNames[static_cast<std::size_t>(month - 1)]), name);
    }
}

void CalendarTest::daysInMonthOfDayLists_data()
{
    QTest::addColumn<QByteArray>("month");
    QTest::addColumn<int>("days");
    for (const auto& c : daysInMonthCases)
        QTest::newRow(c.name) << bytes(c.month) << c.days;
}

void CalendarTest::daysInMonthOfDayLists()
{
    QFETCH(QByteArray, month);
    QFETCH(int, days);
    QCOMPARE(daysInMonth(view(month)), days);
}

void CalendarTest::longDateTexts_data()
{
    QTest::addColumn<Date>("date");
    QTest::addColumn<QByteArray>("text");
    for (const auto& c : longDateCases)
        QTest::newRow(c.name) << c.date << bytes(c.text);
}

void CalendarTest::longDateTexts()
{
    QFETCH(Date, date);
    QFETCH(QByteArray, text);
    QCOMPARE(QByteArray::fromStdString(longDateText(date)), text);
    QCOMPARE(dateFromText(view(text)).value(), date);
}

void CalendarTest::readsDateRowTexts_data()
{
    QTest::addColumn<QByteArray>("dayText");
    QTest::addColumn<QByteArray>("monthText");
    QTest::addColumn<QByteArray>("yearText");
    QTest::addColumn<Date>("date");
    for (const auto& c : dateRowCases)
        QTest::newRow(c.name) << bytes(c.dayText) << bytes(c.monthText) << bytes(c.yearText)
                              << c.date;
}

void CalendarTest::readsDateRowTexts()
{
    QFETCH(QByteArray, dayText);
    QFETCH(QByteArray, monthText);
    QFETCH(QByteArray, yearText);
    QFETCH(Date, date);
    QCOMPARE(dateFromTexts(view(dayText), view(monthText), view(yearText)).value(), date);
    QCOMPARE(dateFromText(view(dayText + ' ' + monthText + ' ' + yearText)).value(), date);
}

void CalendarTest::refusesTextsNamingNoDay_data()
{
    QTest::addColumn<QByteArray>("text");
    for (const auto& c : noDayTextCases)
        QTest::newRow(c.name) << bytes(c.text);
}

void CalendarTest::refusesTextsNamingNoDay()
{
    QFETCH(QByteArray, text);
    const auto date = dateFromText(view(text));
    QVERIFY(!date.ok());
    QCOMPARE(date.error(), DatingError::NoSuchDate);
}

void CalendarTest::refusesRowPartsNamingNoDay_data()
{
    QTest::addColumn<QByteArray>("dayText");
    QTest::addColumn<QByteArray>("monthText");
    QTest::addColumn<QByteArray>("yearText");
    for (const auto& c : noDayRowCases)
        QTest::newRow(c.name) << bytes(c.dayText) << bytes(c.monthText) << bytes(c.yearText);
}

void CalendarTest::refusesRowPartsNamingNoDay()
{
    QFETCH(QByteArray, dayText);
    QFETCH(QByteArray, monthText);
    QFETCH(QByteArray, yearText);
    const auto date = dateFromTexts(view(dayText), view(monthText), view(yearText));
    QVERIFY(!date.ok());
    QCOMPARE(date.error(), DatingError::NoSuchDate);
}

void CalendarTest::everyDayFrom1980To2021RoundTrips()
{
    const std::string failure = everyDayFrom1980To2021Failure();
    QVERIFY2(failure.empty(), failure.c_str());
}

QTEST_APPLESS_MAIN(CalendarTest)
#include "tst_calendar.moc"
