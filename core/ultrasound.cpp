#include "core/ultrasound.h"

#include <cmath>
#include <limits>

namespace quorvel {

namespace {

constexpr double crlFactor = 8.052;
constexpr double crlScale = 103.7;
constexpr double crlScaleDivisor = 100;
constexpr double crlOffset = 23.73;

constexpr double bpdDaysPerMillimetre = 1.99;
constexpr double bpdOffset = 44.17;

constexpr double hcLinear = 0.010611;
constexpr double hcSquare = 0.000030321;
constexpr double hcCube = 0.000000043498;
constexpr double hcConstant = 1.848;

constexpr double daysPerWeek = 7;

} // namespace

double gestDaysCRL(double millimetres)
{
    return crlFactor * std::sqrt(millimetres * crlScale / crlScaleDivisor) + crlOffset;
}

double gestDaysBPD(double millimetres)
{
    return millimetres * bpdDaysPerMillimetre + bpdOffset;
}

double gestDaysHC(double millimetres)
{
    const double a = millimetres * hcLinear;
    const double b = a - std::pow(millimetres, 2) * hcSquare;
    const double s = std::pow(millimetres, 3) * hcCube + b + hcConstant;
    return std::exp(s) * daysPerWeek;
}

double gestDaysDerived(double weeks, double days)
{
    return weeks * daysPerWeek + days;
}

Result<std::int16_t> daysToEdd(double gestationalDays)
{
    if (!std::isfinite(gestationalDays)) {
        return DatingError::OutOfRange;
    }
    const double days = daysToTerm - std::floor(gestationalDays);
    if (days < std::numeric_limits<std::int16_t>::min() ||
        days > std::numeric_limits<std::int16_t>::max()) {
        return DatingError::OutOfRange;
    }
    return static_cast<std::int16_t>(days);
}

} // namespace quorvel
