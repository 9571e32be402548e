#pragma once

#include "core/calendar.h"

#include <chrono>

// A calendar day written out by its numbers, independent of the code under test.
inline quorvel::Date day(int year, unsigned month, unsigned dayOfMonth)
{
    return std::chrono::year_month_day{std::chrono::year{year}, std::chrono::month{month},
                                       std::chrono::day{dayOfMonth}};
}
