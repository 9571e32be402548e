#include "calendarcases.h"
#include "coretest.h"

using namespace quorvel;

class CalendarTest : public QObject {
    Q_OBJECT
private slots:
    void monthNamesInCalendarOrder_data() { addCaseRows(monthNameCases); }
    void monthNamesInCalendarOrder();
    void daysInMonthOfDayLists_data() { addCaseRows(daysInMonthCases); }
    void daysInMonthOfDayLists();
    void longDateTexts_data() { addCaseRows(longDateCases); }
    void longDateTexts();
    void readsDateRowTexts_data() { addCaseRows(dateRowCases); }
    void readsDateRowTexts();
    void refusesTextsNamingNoDay_data() { addCaseRows(noDayTextCases); }
    void refusesTextsNamingNoDay();
    void refusesRowPartsNamingNoDay_data() { addCaseRows(noDayRowCases); }
    void refusesRowPartsNamingNoDay();
    void everyDayFrom1980To2021RoundTrips();
};

void CalendarTest::monthNamesInCalendarOrder()
{
    const auto& c = currentCase(monthNameCases);
    QCOMPARE(std::string_view(monthName(c.month)), c.monthName);
    if (c.month >= 1 && c.month <= 12) {
        QCOMPARE(monthNames[static_cast<std::size_t>(c.month - 1)], c.monthName);
    }
}

void CalendarTest::daysInMonthOfDayLists()
{
    const auto& c = currentCase(daysInMonthCases);
    QCOMPARE(daysInMonth(c.month), c.days);
}

void CalendarTest::longDateTexts()
{
    const auto& c = currentCase(longDateCases);
    QCOMPARE(std::string_view(longDateText(c.date)), c.text);
    const auto read = dateFromText(c.text);
    QVERIFY(read.ok());
    QCOMPARE(*read, c.date);
}

void CalendarTest::readsDateRowTexts()
{
    const auto& c = currentCase(dateRowCases);
    const auto fromTexts = dateFromTexts(c.dayText, c.monthText, c.yearText);
    QVERIFY(fromTexts.ok());
    QCOMPARE(*fromTexts, c.date);
    const auto fromText = dateFromText(std::string(c.dayText) + ' ' + std::string(c.monthText) +
                                       ' ' + std::string(c.yearText));
    QVERIFY(fromText.ok());
    QCOMPARE(*fromText, c.date);
}

void CalendarTest::refusesTextsNamingNoDay()
{
    QUORVEL_REFUSED(dateFromText(currentCase(noDayTextCases).text), DatingError::NoSuchDate);
}

void CalendarTest::refusesRowPartsNamingNoDay()
{
    const auto& c = currentCase(noDayRowCases);
    QUORVEL_REFUSED(dateFromTexts(c.dayText, c.monthText, c.yearText), DatingError::NoSuchDate);
}

void CalendarTest::everyDayFrom1980To2021RoundTrips()
{
    const std::string failure = everyDayFrom1980To2021Failure();
    QVERIFY2(failure.empty(), failure.c_str());
}

QTEST_APPLESS_MAIN(CalendarTest)
#include "tst_calendar.moc"
