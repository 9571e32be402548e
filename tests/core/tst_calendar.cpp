#include "coretest.h"

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

QUORVEL_CORE_CASES(CalendarTest, monthNamesInCalendarOrder, MonthNames)

QUORVEL_CORE_CASES(CalendarTest, daysInMonthOfDayLists, DaysInMonth)

QUORVEL_CORE_CASES(CalendarTest, longDateTexts, LongDates)

QUORVEL_CORE_CASES(CalendarTest, readsDateRowTexts, DateRows)

QUORVEL_CORE_CASES(CalendarTest, refusesTextsNamingNoDay, NoDayTexts)

QUORVEL_CORE_CASES(CalendarTest, refusesRowPartsNamingNoDay, NoDayRows)

void CalendarTest::everyDayFrom1980To2021RoundTrips()
{
    quorvel::corecases::checkOnlyCase(quorvel::corecases::Group::EveryDayFrom1980To2021);
}

QTEST_APPLESS_MAIN(CalendarTest)
#include "tst_calendar.moc"
