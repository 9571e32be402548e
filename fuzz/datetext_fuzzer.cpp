// Date texts: whatever the bytes, reading a date text never crashes, a text read as a day is
// exactly that day's long date text again, and the three-list form agrees with the one-text
// form. The bytes are also taken as a day number, whose long date text must read back as it.

#include "core/calendar.h"
#include "fuzzcheck.h"

#include <chrono>
#include <cstring>
#include <string>

using namespace quorvel;
using fuzz::require;

namespace {

constexpr std::chrono::year firstWritableYear{1000};
constexpr std::chrono::year lastWritableYear{9999};
constexpr std::string_view leapMonth = "February";
constexpr unsigned leapDay = 29;

void checkText(std::string_view text)
{
    const auto date = dateFromText(text);
    if (date) {
        require(longDateText(*date) == text, "an accepted text is its day's long date text", text);
        const std::chrono::year_month_day ymd{*date};
        require(ymd.year() >= firstWritableYear && ymd.year() <= lastWritableYear,
                "an accepted year has four digits", text);
        const std::string_view month = monthNames[static_cast<unsigned>(ymd.month()) - 1];
        require(static_cast<unsigned>(ymd.day()) <= static_cast<unsigned>(daysInMonth(month)) ||
                    (month == leapMonth && static_cast<unsigned>(ymd.day()) == leapDay),
                "the day list of the month offers the day", text);
    }

    const auto firstSpace = text.find(' ');
    if (firstSpace == std::string_view::npos) {
        return;
    }
    const auto secondSpace = text.find(' ', firstSpace + 1);
    if (secondSpace == std::string_view::npos) {
        return;
    }
    const auto joined = dateFromTexts(text.substr(0, firstSpace),
                                      text.substr(firstSpace + 1, secondSpace - firstSpace - 1),
                                      text.substr(secondSpace + 1));
    require(joined.ok() == date.ok() && (!date || *joined == *date),
            "three list texts read as their joined text", text);
}

void checkDayNumber(std::string_view bytes)
{
    std::uint32_t raw = 0;
    if (bytes.size() < sizeof raw) {
        return;
    }
    std::memcpy(&raw, bytes.data(), sizeof raw);
    const Date first{firstWritableYear / std::chrono::January / 1};
    const Date last{lastWritableYear / std::chrono::December / 31};
    const auto span = static_cast<std::uint32_t>((last - first).count()) + 1;
    const Date day = first + std::chrono::days{raw % span};

    const std::string text = longDateText(day);
    const auto back = dateFromText(text);
    require(back.ok() && *back == day, "a day's long date text reads back as the day", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = fuzz::asText(data, size);
    checkText(text);
    checkDayNumber(text);
    return 0;
}
