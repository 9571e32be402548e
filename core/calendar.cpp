#include "core/calendar.h"

#include "core/numbertext.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr char separator = ' ';
constexpr int yearDigits = 4;
constexpr std::size_t maxDayDigits = 2;

// Splits "a b c" at single spaces into exactly three non-empty parts.
bool splitThree(std::string_view text, std::array<std::string_view, 3>& parts)
{
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const auto end = text.find(separator);
        const bool last = i + 1 == parts.size();
        if (last != (end == std::string_view::npos)) {
            return false;
        }
        parts[i] = text.substr(0, end);
        if (parts[i].empty()) {
            return false;
        }
        if (!last) {
            text.remove_prefix(end + 1);
        }
    }
    return true;
}

} // namespace

std::string_view monthName(int month)
{
    if (month >= 1 && month <= static_cast<int>(monthNames.size())) {
        return monthNames[static_cast<std::size_t>(month - 1)];
    }
    // A number outside 1 to 12 falls back to the last month.
    return monthNames.back();
}

std::int16_t daysInMonth(std::string_view monthText)
{
    if (monthText == "April" || monthText == "June" || monthText == "September" ||
        monthText == "November") {
        return 30;
    }
    if (monthText == "February") {
        return 28;
    }
    return 31;
}

Result<Date> dateFromText(std::string_view text)
{
    std::array<std::string_view, 3> parts;
    if (!splitThree(text, parts)) {
        return DatingError::NoSuchDate;
    }
    const auto [dayText, monthText, yearText] = parts;

    const auto day = wholeNumberFromText(dayText);
    if (!day || dayText.size() > maxDayDigits) {
        return DatingError::NoSuchDate;
    }
    const auto month = std::find(monthNames.begin(), monthNames.end(), monthText);
    if (month == monthNames.end()) {
        return DatingError::NoSuchDate;
    }
    const auto year = wholeNumberFromText(yearText);
    if (!year || yearText.size() != yearDigits) {
        return DatingError::NoSuchDate;
    }

    const std::chrono::year_month_day ymd{
        std::chrono::year{*year},
        std::chrono::month{static_cast<unsigned>(month - monthNames.begin() + 1)},
        std::chrono::day{static_cast<unsigned>(*day)}};
    if (!ymd.ok()) {
        return DatingError::NoSuchDate;
    }
    return Date{ymd};
}

Result<Date> dateFromTexts(std::string_view dayText, std::string_view monthText,
                           std::string_view yearText)
{
    std::string text;
    text.reserve(dayText.size() + monthText.size() + yearText.size() + 2);
    text.append(dayText)
        .append(1, separator)
        .append(monthText)
        .append(1, separator)
        .append(yearText);
    return dateFromText(text);
}

std::string longDateText(Date date)
{
    const std::chrono::year_month_day ymd{date};
    const auto day = static_cast<unsigned>(ymd.day());
    const auto month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    const auto year = static_cast<int>(ymd.year());

    std::string text = std::to_string(day);
    text.append(1, separator).append(monthName(month)).append(1, separator);
    text.append(std::to_string(year));
    return text;
}

} // namespace quorvel
