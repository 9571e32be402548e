#include "core/calendar.h"
#include "coretest.h"

using namespace quorvel;

namespace {
const char* const names[] = {"January", "February", "March",     "April",   "May",      "June",
                             "July",    "August",   "September", "October", "November", "December"};
} // namespace

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
    for (int month = 1; month <= 12; ++month) {
        QTest::addRow("month %d is %s", month, names[month - 1])
            << month << QByteArray(names[month - 1]);
    }
    QTest::newRow("month 0 falls through to December") << 0 << QByteArray("December");
    QTest::newRow("month 13 falls through to December") << 13 << QByteArray("December");
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
    const std::pair<const char*, int> months[] = {
        {"January", 31},   {"February", 28}, {"March", 31},    {"April", 30},
        {"May", 31},       {"June", 30},     {"July", 31},     {"August", 31},
        {"September", 30}, {"October", 31},  {"November", 30}, {"December", 31}};
    for (const auto& [name, days] : months) {
        QTest::addRow("%s offers %d days", name, days) << QByteArray(name) << days;
    }
    QTest::newRow("lower-case april is no month name") << QByteArray("april") << 31;
    QTest::newRow("lower-case february is no month name") << QByteArray("february") << 31;
    QTest::newRow("abbreviation Feb is no month name") << QByteArray("Feb") << 31;
    QTest::newRow("June with a trailing space is no month name") << QByteArray("June ") << 31;
    QTest::newRow("empty text") << QByteArray() << 31;
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
    QTest::newRow("7 October 2000") << day(2000, 10, 7) << QByteArray("7 October 2000");
    QTest::newRow("20 December 2019") << day(2019, 12, 20) << QByteArray("20 December 2019");
    QTest::newRow("1 January 2021") << day(2021, 1, 1) << QByteArray("1 January 2021");
    QTest::newRow("leap day 29 February 2004")
        << day(2004, 2, 29) << QByteArray("29 February 2004");
    QTest::newRow("6 October 2004") << day(2004, 10, 6) << QByteArray("6 October 2004");
    QTest::newRow("month 12 is December") << day(1999, 12, 31) << QByteArray("31 December 1999");
    QTest::newRow("single-digit day has no leading zero")
        << day(2001, 3, 1) << QByteArray("1 March 2001");
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
    QTest::newRow("5 March 2004") << QByteArray("5") << QByteArray("March") << QByteArray("2004")
                                  << day(2004, 3, 5);
    QTest::newRow("leap day of a century leap year")
        << QByteArray("29") << QByteArray("February") << QByteArray("2000") << day(2000, 2, 29);
    QTest::newRow("31st of a long month")
        << QByteArray("31") << QByteArray("July") << QByteArray("1980") << day(1980, 7, 31);
    QTest::newRow("first four-digit year")
        << QByteArray("1") << QByteArray("January") << QByteArray("1000") << day(1000, 1, 1);
    QTest::newRow("last four-digit year")
        << QByteArray("31") << QByteArray("December") << QByteArray("9999") << day(9999, 12, 31);
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
    QTest::newRow("31 April") << QByteArray("31 April 2004");
    QTest::newRow("29 February of a common year") << QByteArray("29 February 2001");
    QTest::newRow("29 February of a common century year") << QByteArray("29 February 1900");
    QTest::newRow("day 0") << QByteArray("0 March 2004");
    QTest::newRow("day 32") << QByteArray("32 March 2004");
    QTest::newRow("three-digit day") << QByteArray("100 March 2004");
    QTest::newRow("leading zero day") << QByteArray("05 March 2004");
    QTest::newRow("signed day") << QByteArray("+5 March 2004");
    QTest::newRow("lower-case month") << QByteArray("5 april 2004");
    QTest::newRow("abbreviated month") << QByteArray("5 Mar 2004");
    QTest::newRow("month number") << QByteArray("5 3 2004");
    QTest::newRow("month name alone") << QByteArray("april");
    QTest::newRow("no year") << QByteArray("5 March");
    QTest::newRow("two-digit year") << QByteArray("5 March 04");
    QTest::newRow("five-digit year") << QByteArray("5 March 20041");
    QTest::newRow("year with leading zero") << QByteArray("5 March 0999");
    QTest::newRow("negative year") << QByteArray("5 March -2004");
    QTest::newRow("double space") << QByteArray("5  March 2004");
    QTest::newRow("tab instead of space") << QByteArray("5\tMarch 2004");
    QTest::newRow("leading space") << QByteArray(" 5 March 2004");
    QTest::newRow("trailing space") << QByteArray("5 March 2004 ");
    QTest::newRow("trailing letter") << QByteArray("5 March 2004x");
    QTest::newRow("trailing word") << QByteArray("5 March 2004 AD");
    QTest::newRow("trailing NUL") << QByteArray("5 March 2004\0", 13);
    QTest::newRow("comma after month") << QByteArray("5 March, 2004");
    QTest::newRow("month first") << QByteArray("March 5 2004");
    QTest::newRow("numeric date") << QByteArray("2004-03-05");
    QTest::newRow("empty text") << QByteArray();
    QTest::newRow("spaces only") << QByteArray("  ");
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
    QTest::newRow("empty day") << QByteArray() << QByteArray("March") << QByteArray("2004");
    QTest::newRow("empty month") << QByteArray("5") << QByteArray() << QByteArray("2004");
    QTest::newRow("empty year") << QByteArray("5") << QByteArray("March") << QByteArray();
    QTest::newRow("day and month in one part, empty year")
        << QByteArray("5 March") << QByteArray("2004") << QByteArray();
    QTest::newRow("whole date in the day part")
        << QByteArray("5 March 2004") << QByteArray() << QByteArray();
    QTest::newRow("31 June") << QByteArray("31") << QByteArray("June") << QByteArray("2019");
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

// Walks the calendar with its own leap-year rule beside the library's day arithmetic.
void CalendarTest::everyDayFrom1980To2021RoundTrips()
{
    const auto monthLength = [](int year, int month) {
        const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
        const int lengths[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        return lengths[month - 1];
    };
    int year = 1980, month = 1, dayOfMonth = 1, count = 0;
    for (Date date = day(1980, 1, 1); date <= day(2021, 12, 31); date += std::chrono::days{1}) {
        const QByteArray dayText = QByteArray::number(dayOfMonth);
        const QByteArray yearText = QByteArray::number(year);
        const QByteArray text = dayText + ' ' + names[month - 1] + ' ' + yearText;
        QCOMPARE(QByteArray::fromStdString(longDateText(date)), text);
        QCOMPARE(dateFromText(view(text)).value(), date);
        QCOMPARE(dateFromTexts(view(dayText), names[month - 1], view(yearText)).value(), date);
        ++count;
        if (++dayOfMonth > monthLength(year, month)) {
            dayOfMonth = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    QCOMPARE(count, 42 * 365 + 11); // eleven leap days, 1980 to 2020
    QCOMPARE(year, 2022);
}

QTEST_APPLESS_MAIN(CalendarTest)
#include "tst_calendar.moc"
