#include "tests/core/corecases.h"

#include "calendarcases.h"
#include "core/calendar.h"
#include "core/edd.h"
#include "core/gestation.h"
#include "core/numbertext.h"
#include "eddcases.h"
#include "gestationcases.h"
#include "numbertextcases.h"
#include "ultrasoundcases.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace quorvel::corecases {

namespace {

std::string shown(std::string_view text)
{
    return '"' + std::string(text) + '"';
}
std::string shown(int number)
{
    return std::to_string(number);
}
std::string shown(bool yes)
{
    return yes ? "true" : "false";
}
std::string shown(Date date)
{
    const std::chrono::year_month_day ymd{date};
    char text[32];
    std::snprintf(text, sizeof text, "%d-%02u-%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    return text;
}
std::string shown(DatingError error)
{
    return "error " + std::to_string(static_cast<int>(error));
}
std::string shown(Measurement measurement)
{
    return "measurement " + std::to_string(static_cast<int>(measurement));
}

// The findings of one case's check.
class Findings {
public:
    template <typename Got, typename Expected>
    void compare(const std::string& what, const Got& got, const Expected& expected)
    {
        if (!(got == expected)) {
            add(what + " gave " + shown(got) + ", expected " + shown(expected));
        }
    }
    // The result holds a value, else a finding; whether the value can be compared.
    template <typename T>
    bool holds(const std::string& what, const Result<T>& result)
    {
        if (!result.ok()) {
            add(what + " gave " + shown(result.error()) + ", expected a value");
        }
        return result.ok();
    }
    template <typename T>
    void refused(const std::string& what, const Result<T>& result, DatingError expected)
    {
        if (result.ok()) {
            add(what + " gave a value, expected " + shown(expected));
        } else {
            compare(what, result.error(), expected);
        }
    }
    void add(const std::string& finding) { text_ += (text_.empty() ? "" : "\n") + finding; }
    std::string text() const { return text_; }

private:
    std::string text_;
};

template <typename Table, typename Check>
std::vector<Case> each(const Table& table, Check check)
{
    std::vector<Case> list;
    for (const auto& c : table) {
        list.push_back({c.name, [&c, check] {
                            Findings f;
                            check(c, f);
                            return f.text();
                        }});
    }
    return list;
}

std::vector<Case> one(const char* name, std::function<std::string()> failure)
{
    return {{name, std::move(failure)}};
}

std::string fourDecimals(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

} // namespace

std::vector<Case> cases(Group group)
{
    switch (group) {
    case Group::MonthNames:
        return each(monthNameCases, [](const MonthNameCase& c, Findings& f) {
            f.compare("monthName", std::string_view(monthName(c.month)), c.monthName);
            if (c.month >= 1 && c.month <= 12) {
                f.compare("monthNames",
                          std::string_view(monthNames[static_cast<std::size_t>(c.month - 1)]),
                          c.monthName);
            }
        });
    case Group::DaysInMonth:
        return each(daysInMonthCases, [](const DaysInMonthCase& c, Findings& f) {
            f.compare("daysInMonth", daysInMonth(c.month), c.days);
        });
    case Group::LongDates:
        return each(longDateCases, [](const LongDateCase& c, Findings& f) {
            f.compare("longDateText", std::string_view(longDateText(c.date)), c.text);
            const auto read = dateFromText(c.text);
            if (f.holds("dateFromText", read)) {
                f.compare("dateFromText", *read, c.date);
            }
        });
    case Group::DateRows:
        return each(dateRowCases, [](const DateRowCase& c, Findings& f) {
            const auto fromTexts = dateFromTexts(c.dayText, c.monthText, c.yearText);
            if (f.holds("dateFromTexts", fromTexts)) {
                f.compare("dateFromTexts", *fromTexts, c.date);
            }
            const std::string text = std::string(c.dayText) + ' ' + std::string(c.monthText) + ' ' +
                                     std::string(c.yearText);
            const auto fromText = dateFromText(text);
            if (f.holds("dateFromText", fromText)) {
                f.compare("dateFromText", *fromText, c.date);
            }
        });
    case Group::NoDayTexts:
        return each(noDayTextCases, [](const NoDayTextCase& c, Findings& f) {
            f.refused("dateFromText", dateFromText(c.text), DatingError::NoSuchDate);
        });
    case Group::NoDayRows:
        return each(noDayRowCases, [](const NoDayRowCase& c, Findings& f) {
            f.refused("dateFromTexts", dateFromTexts(c.dayText, c.monthText, c.yearText),
                      DatingError::NoSuchDate);
        });
    case Group::EveryDayFrom1980To2021:
        return one("every day from 1980 to 2021 round-trips", everyDayFrom1980To2021Failure);
    case Group::WholeNumbers:
        return each(wholeNumberCases, [](const WholeNumberCase& c, Findings& f) {
            const auto number = wholeNumberFromText(c.text);
            if (f.holds("wholeNumberFromText", number)) {
                f.compare("wholeNumberFromText", *number, c.value);
            }
        });
    case Group::NotWholeNumbers:
        return each(notWholeNumberCases, [](const NotWholeNumberCase& c, Findings& f) {
            f.refused("wholeNumberFromText", wholeNumberFromText(c.text),
                      DatingError::NotAWholeNumber);
        });
    case Group::PublishedValues:
        return each(publishedValueCases, [](const PublishedValueCase& c, Findings& f) {
            const double g = gestDays(c.scan, c.value, c.days);
            f.compare("gestational days to four decimals", std::string_view(fourDecimals(g)),
                      c.gestationalDays);
            f.compare("whole gestational days", static_cast<int>(std::floor(g)), c.wholeDays);
            const auto toEdd = daysToEdd(g);
            if (f.holds("daysToEdd", toEdd)) {
                f.compare("daysToEdd", static_cast<int>(*toEdd), c.toEdd);
            }
        });
    case Group::ListedMeasurements:
        return each(listedMeasurementCases, [](const ListedMeasurementCase& c, Findings& f) {
            const std::string failure = listedMeasurementFailure(c);
            if (!failure.empty()) {
                f.add(failure);
            }
        });
    case Group::ListedDerivedGestations:
        return one("every listed derived gestation", listedDerivedGestationFailure);
    case Group::DaysToEddLimits:
        return each(daysToEddCases, [](const DaysToEddCase& c, Findings& f) {
            const auto toEdd = daysToEdd(c.gestationalDays);
            if (!c.ok) {
                f.refused("daysToEdd", toEdd, DatingError::OutOfRange);
            } else if (f.holds("daysToEdd", toEdd)) {
                f.compare("daysToEdd", static_cast<int>(*toEdd), c.toEdd);
            }
        });
    case Group::MeasurementOptions:
        return each(measurementOptionCases, [](const MeasurementOptionCase& c, Findings& f) {
            f.compare("measurementFromOptions", measurementFromOptions(c.crownRump, c.biparietal),
                      c.measurement);
        });
    case Group::Edds:
        return each(eddCases, [](const EddCase& c, Findings& f) {
            const auto result = computeEdd(c.inputs);
            if (!f.holds("computeEdd", result)) {
                return;
            }
            f.compare("EDD", result->edd, c.edd);
            const std::string text = longDateText(result->edd);
            f.compare("EDD text", std::string_view(text), c.eddText);
            const auto read = dateFromText(text);
            if (f.holds("dateFromText of the EDD text", read)) {
                f.compare("dateFromText of the EDD text", *read, c.edd);
            }
            f.compare("scan result present", result->scan.has_value(), c.wholeDays >= 0);
            if (result->scan) {
                f.compare("whole gestational days at the scan",
                          static_cast<int>(std::floor(result->scan->gestationalDays)), c.wholeDays);
                f.compare("days from the scan to the EDD",
                          static_cast<int>(result->scan->daysToEdd), c.toEdd);
            }
        });
    case Group::NoEdds:
        return each(noEddCases, [](const NoEddCase& c, Findings& f) {
            f.refused("computeEdd", computeEdd(c.inputs), c.error);
        });
    case Group::Gestations:
        return each(gestationCases, [](const GestationCase& c, Findings& f) {
            const auto g =
                computeGestAtBirth(c.dayText, c.monthText, c.yearText, gestationCasesEdd);
            if (!f.holds("computeGestAtBirth", g)) {
                return;
            }
            f.compare("date of birth", g->dateOfBirth, c.birth);
            f.compare("gestation days", static_cast<int>(g->gestationDays), c.gestationDays);
            f.compare("weeks", static_cast<int>(g->weeks), c.weeks);
            f.compare("days", static_cast<int>(g->days), c.days);
            f.compare("caption", std::string_view(g->caption), c.caption);
        });
    case Group::GestationLimits:
        return each(gestationLimitCases, [](const GestationLimitCase& c, Findings& f) {
            const auto g = computeGestAtBirth(c.dayText, "January", "2000", c.edd);
            if (!c.ok) {
                f.refused("computeGestAtBirth", g, c.error);
            } else if (f.holds("computeGestAtBirth", g)) {
                f.compare("gestation days", static_cast<int>(g->gestationDays), c.gestationDays);
            }
        });
    }
    return {};
}

} // namespace quorvel::corecases
