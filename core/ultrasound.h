#pragma once

#include "core/result.h"

#include <cstdint>

namespace quorvel {

/// Days from gestational day 0 to the EDD: 40 weeks.
inline constexpr int daysToTerm = 280;

/// Gestational age in days from a crown-rump length in mm (Robinson and Fleming).
double gestDaysCRL(double millimetres);

/// Gestational age in days from a biparietal diameter in mm (a linear rule).
double gestDaysBPD(double millimetres);

/// Gestational age in days from a head circumference in mm (Altman and Chitty).
double gestDaysHC(double millimetres);

/// Gestational age in days from a gestation already derived at the scan.
double gestDaysDerived(double weeks, double days);

/// Whole days from the scan to the EDD: 280 less the gestational days rounded down; an error
/// when the gestational days are not finite or the result leaves the 16-bit range.
Result<std::int16_t> daysToEdd(double gestationalDays);

} // namespace quorvel
