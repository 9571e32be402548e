#pragma once

#include "core/result.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

using Date = std::chrono::sys_days;

/// The twelve English month names in calendar order, as the month lists offer them.
inline constexpr std::array<std::string_view, 12> monthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

/// The name of month 1 to 12; "December" for any other number.
std::string_view monthName(int month);

/// How many days a day list offers for a month text: 30 for the four short months, 28 for
/// "February" in every year, 31 for any other text (the day lists have no leap-year case).
std::int16_t daysInMonth(std::string_view monthText);

/// The day named by a date text of the one shape "day month year" ("5 March 2004"): a day
/// number without leading zero, a month name, a four-digit year, single spaces between.
Result<Date> dateFromText(std::string_view text);

/// The day named by the texts of a date row's three lists, joined as "day month year".
Result<Date> dateFromTexts(std::string_view dayText, std::string_view monthText,
                           std::string_view yearText);

/// The long date text of a day, such as "7 October 2000"; dateFromText reads it back.
std::string longDateText(Date date);

} // namespace quorvel
