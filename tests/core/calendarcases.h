#pragma once

// The cases of the calendar texts, shared by the QtTest test and the toolkit-free check.
#include "coredays.h"

#include <string>
#include <string_view>

using namespace std::string_view_literals;

struct MonthNameCase {
    const char* name;
    int month;
    std::string_view monthName;
};
inline const MonthNameCase monthNameCases[] = {
    {"month 1 is January", 1, "January"},
    {"month 2 is February", 2, "February"},
    {"month 3 is March", 3, "March"},
    {"month 4 is April", 4, "April"},
    {"month 5 is May", 5, "May"},
    {"month 6 is June", 6, "June"},
    {"month 7 is July", 7, "July"},
    {"month 8 is August", 8, "August"},
    {"month 9 is September", 9, "September"},
    {"month 10 is October", 10, "October"},
    {"month 11 is November", 11, "November"},
    {"month 12 is December", 12, "December"},
    {"month 0 falls through to December", 0, "December"},
    {"month 13 falls through to December", 13, "December"},
};

struct DaysInMonthCase {
    const char* name;
    std::string_view month;
    int days;
};
inline const DaysInMonthCase daysInMonthCases[] = {
    {"January offers 31 days", "January", 31},
    {"February offers 28 days", "February", 28},
    {"March offers 31 days", "March", 31},
    {"April offers 30 days", "April", 30},
    {"May offers 31 days", "May", 31},
    {"June offers 30 days", "June", 30},
    {"July offers 31 days", "July", 31},
    {"August offers 31 days", "August", 31},
    {"September offers 30 days", "September", 30},
    {"October offers 31 days", "October", 31},
    {"November offers 30 days", "November", 30},
    {"December offers 31 days", "December", 31},
    {"lower-case april is no month name", "april", 31},
    {"lower-case february is no month name", "february", 31},
    {"abbreviation Feb is no month name", "Feb", 31},
    {"June with a trailing space is no month name", "June ", 31},
    {"empty text", "", 31},
};

struct LongDateCase {
    const char* name;
    quorvel::Date date;
    std::string_view text;
};
inline const LongDateCase longDateCases[] = {
    {"7 October 2000", day(2000, 10, 7), "7 October 2000"},
    {"20 December 2019", day(2019, 12, 20), "20 December 2019"},
    {"1 January 2021", day(2021, 1, 1), "1 January 2021"},
    {"leap day 29 February 2004", day(2004, 2, 29), "29 February 2004"},
    {"6 October 2004", day(2004, 10, 6), "6 October 2004"},
    {"month 12 is December", day(1999, 12, 31), "31 December 1999"},
    {"single-digit day has no leading zero", day(2001, 3, 1), "1 March 2001"},
};

struct DateRowCase {
    const char* name;
    std::string_view dayText;
    std::string_view monthText;
    std::string_view yearText;
    quorvel::Date date;
};
inline const DateRowCase dateRowCases[] = {
    {"5 March 2004", "5", "March", "2004", day(2004, 3, 5)},
    {"leap day of a century leap year", "29", "February", "2000", day(2000, 2, 29)},
    {"31st of a long month", "31", "July", "1980", day(1980, 7, 31)},
    {"first four-digit year", "1", "January", "1000", day(1000, 1, 1)},
    {"last four-digit year", "31", "December", "9999", day(9999, 12, 31)},
};

struct NoDayTextCase {
    const char* name;
    std::string_view text;
};
inline const NoDayTextCase noDayTextCases[] = {
    {"31 April", "31 April 2004"},
    {"29 February of a common year", "29 February 2001"},
    {"29 February of a common century year", "29 February 1900"},
    {"day 0", "0 March 2004"},
    {"day 32", "32 March 2004"},
    {"three-digit day", "100 March 2004"},
    {"leading zero day", "05 March 2004"},
    {"signed day", "+5 March 2004"},
    {"lower-case month", "5 april 2004"},
    {"abbreviated month", "5 Mar 2004"},
    {"month number", "5 3 2004"},
    {"month name alone", "april"},
    {"no year", "5 March"},
    {"two-digit year", "5 March 04"},
    {"five-digit year", "5 March 20041"},
    {"year with leading zero", "5 March 0999"},
    {"negative year", "5 March -2004"},
    {"double space", "5  March 2004"},
    {"tab instead of space", "5\tMarch 2004"},
    {"leading space", " 5 March 2004"},
    {"trailing space", "5 March 2004 "},
    {"trailing letter", "5 March 2004x"},
    {"trailing word", "5 March 2004 AD"},
    {"trailing NUL", "5 March 2004\0"sv},
    {"comma after month", "5 March, 2004"},
    {"month first", "March 5 2004"},
    {"numeric date", "2004-03-05"},
    {"empty text", ""},
    {"spaces only", "  "},
};

struct NoDayRowCase {
    const char* name;
    std::string_view dayText;
    std::string_view monthText;
    std::string_view yearText;
};
inline const NoDayRowCase noDayRowCases[] = {
    {"empty day", "", "March", "2004"},
    {"empty month", "5", "", "2004"},
    {"empty year", "5", "March", ""},
    {"day and month in one part, empty year", "5 March", "2004", ""},
    {"whole date in the day part", "5 March 2004", "", ""},
    {"31 June", "31", "June", "2019"},
};

// Walks every day of 1980 to 2021 with its own leap-year rule beside the library's day
// arithmetic, reading and writing each day's texts; the first mismatch, or an empty text.
inline std::string everyDayFrom1980To2021Failure()
{
    const auto monthLength = [](int year, int month) {
        const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
        const int lengths[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        return lengths[month - 1];
    };
    int year = 1980, month = 1, dayOfMonth = 1, count = 0;
    for (quorvel::Date date = day(1980, 1, 1); date <= day(2021, 12, 31);
         date += std::chrono::days{1}) {
        const std::string dayText = std::to_string(dayOfMonth);
        const std::string yearText = std::to_string(year);
        const std::string_view monthText = monthNameCases[month - 1].monthName;
        const std::string text = dayText + ' ' + std::string(monthText) + ' ' + yearText;
        const auto fromText = quorvel::dateFromText(text);
        const auto fromTexts = quorvel::dateFromTexts(dayText, monthText, yearText);
        if (quorvel::longDateText(date) != text || !fromText || *fromText != date || !fromTexts ||
            *fromTexts != date) {
            return text + " does not round-trip";
        }
        ++count;
        if (++dayOfMonth > monthLength(year, month)) {
            dayOfMonth = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    if (count != 42 * 365 + 11 || year != 2022) { // eleven leap days, 1980 to 2020
        return "walked " + std::to_string(count) + " days";
    }
    return {};
}
