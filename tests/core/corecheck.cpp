// The cases of the core's QtTest tests, run without Qt: the Windows cross build runs this under
// Wine, and the Linux build beside the QtTest tests.
#include "calendarcases.h"
#include "core/gestation.h"
#include "core/numbertext.h"
#include "eddcases.h"
#include "gestationcases.h"
#include "numbertextcases.h"
#include "tests/plaincheck.h"
#include "ultrasoundcases.h"

#include <cmath>
#include <cstdio>
#include <string>

using namespace quorvel;

namespace {

CheckTally tally;

template <typename T>
bool holds(const Result<T>& result, const T& expected)
{
    return result.ok() && *result == expected;
}

template <typename T>
bool refused(const Result<T>& result, DatingError error)
{
    return !result.ok() && result.error() == error;
}

std::string fourDecimals(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

void checkCalendar()
{
    for (const auto& c : monthNameCases)
        tally.expect(monthName(c.month) == c.monthName &&
                         (c.month < 1 || c.month > 12 ||
                          monthNames[static_cast<std::size_t>(c.month - 1)] == c.monthName),
                     c.name);
    for (const auto& c : daysInMonthCases)
        tally.expect(daysInMonth(c.month) == c.days, c.name);
    for (const auto& c : longDateCases)
        tally.expect(longDateText(c.date) == c.text && holds(dateFromText(c.text), c.date), c.name);
    for (const auto& c : dateRowCases) {
        const std::string text =
            std::string(c.dayText) + ' ' + std::string(c.monthText) + ' ' + std::string(c.yearText);
        tally.expect(holds(dateFromTexts(c.dayText, c.monthText, c.yearText), c.date) &&
                         holds(dateFromText(text), c.date),
                     c.name);
    }
    for (const auto& c : noDayTextCases)
        tally.expect(refused(dateFromText(c.text), DatingError::NoSuchDate), c.name);
    for (const auto& c : noDayRowCases)
        tally.expect(
            refused(dateFromTexts(c.dayText, c.monthText, c.yearText), DatingError::NoSuchDate),
            c.name);
    const std::string walk = everyDayFrom1980To2021Failure();
    tally.expect(walk.empty(), "every day from 1980 to 2021 round-trips: " + walk);
}

void checkNumberTexts()
{
    for (const auto& c : wholeNumberCases)
        tally.expect(holds(wholeNumberFromText(c.text), c.value), c.name);
    for (const auto& c : notWholeNumberCases)
        tally.expect(refused(wholeNumberFromText(c.text), DatingError::NotAWholeNumber), c.name);
}

void checkUltrasound()
{
    for (const auto& c : publishedValueCases) {
        const double g = gestDays(c.scan, c.value, c.days);
        tally.expect(fourDecimals(g) == c.gestationalDays &&
                         static_cast<int>(std::floor(g)) == c.wholeDays &&
                         holds(daysToEdd(g), static_cast<std::int16_t>(c.toEdd)),
                     c.name);
    }
    for (const auto& c : listedMeasurementCases) {
        const std::string failure = listedMeasurementFailure(c);
        tally.expect(failure.empty(), std::string(c.name) + ": " + failure);
    }
    const std::string derived = listedDerivedGestationFailure();
    tally.expect(derived.empty(), "every listed derived gestation: " + derived);
    for (const auto& c : daysToEddCases) {
        const auto result = daysToEdd(c.gestationalDays);
        tally.expect(c.ok ? holds(result, static_cast<std::int16_t>(c.toEdd))
                          : refused(result, DatingError::OutOfRange),
                     c.name);
    }
}

void checkEdd()
{
    for (const auto& c : measurementOptionCases)
        tally.expect(measurementFromOptions(c.crownRump, c.biparietal) == c.measurement, c.name);
    for (const auto& c : eddCases) {
        const auto result = computeEdd(c.inputs);
        const bool scanAsExpected =
            result.ok() && result->scan.has_value() == (c.wholeDays >= 0) &&
            (!result->scan ||
             (static_cast<int>(std::floor(result->scan->gestationalDays)) == c.wholeDays &&
              result->scan->daysToEdd == c.toEdd));
        tally.expect(result.ok() && result->edd == c.edd &&
                         longDateText(result->edd) == c.eddText && scanAsExpected,
                     c.name);
    }
    for (const auto& c : noEddCases)
        tally.expect(refused(computeEdd(c.inputs), c.error), c.name);
}

void checkGestation()
{
    for (const auto& c : gestationCases) {
        const auto g = computeGestAtBirth(c.dayText, c.monthText, c.yearText, gestationCasesEdd);
        tally.expect(g.ok() && g->dateOfBirth == c.birth && g->gestationDays == c.gestationDays &&
                         g->weeks == c.weeks && g->days == c.days && g->caption == c.caption,
                     c.name);
    }
    for (const auto& c : gestationLimitCases) {
        const auto g = computeGestAtBirth(c.dayText, "January", "2000", c.edd);
        tally.expect(c.ok ? g.ok() && g->gestationDays == c.gestationDays : refused(g, c.error),
                     c.name);
    }
}

} // namespace

int main()
{
    checkCalendar();
    checkNumberTexts();
    checkUltrasound();
    checkEdd();
    checkGestation();
    return tally.finish();
}
