#include "core/gestation.h"

#include "core/ultrasound.h"

#include <limits>

namespace quorvel {

namespace {

constexpr int daysPerWeek = 7;

bool fitsInt16(long long value)
{
    return value >= std::numeric_limits<std::int16_t>::min() &&
           value <= std::numeric_limits<std::int16_t>::max();
}

int floorDiv(int value, int divisor)
{
    const int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

} // namespace

Result<GestationAtBirth> computeGestAtBirth(std::string_view dayText, std::string_view monthText,
                                            std::string_view yearText, Date edd)
{
    const auto dob = dateFromTexts(dayText, monthText, yearText);
    if (!dob) {
        return dob.error();
    }
    const long long distance = (*dob - edd).count();
    if (!fitsInt16(distance) || !fitsInt16(daysToTerm + distance)) {
        return DatingError::OutOfRange;
    }

    GestationAtBirth g;
    g.dateOfBirth = *dob;
    g.gestationDays = static_cast<std::int16_t>(daysToTerm + distance);
    g.weeks = static_cast<std::int16_t>(floorDiv(g.gestationDays, daysPerWeek));
    g.days = static_cast<std::int16_t>(g.gestationDays % daysPerWeek);
    if (g.gestationDays >= 0) {
        g.caption = std::to_string(g.weeks) + " weeks " + std::to_string(g.days) + " days";
    } else {
        g.caption = birthBeforePregnancyCaption;
    }
    return g;
}

} // namespace quorvel
