#pragma once

#include "core/calendar.h"
#include "core/result.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

/// Shown instead of negative weeks and days when the birth precedes day 0 of the pregnancy.
inline constexpr std::string_view birthBeforePregnancyCaption = "Birth before pregnancy";

struct GestationAtBirth {
    Date dateOfBirth;
    std::int16_t gestationDays = 0; // 280 on the EDD; negative before day 0 of the pregnancy
    std::int16_t weeks = 0;         // the quotient by 7 rounded down
    std::int16_t days = 0;          // the remainder, with the sign of gestationDays
    std::string caption;            // "40 weeks 3 days", or birthBeforePregnancyCaption
};

/// The gestation at birth of a date-of-birth row's texts against an EDD; an error when the
/// texts name no day or the distance leaves the 16-bit range.
Result<GestationAtBirth> computeGestAtBirth(std::string_view dayText, std::string_view monthText,
                                            std::string_view yearText, Date edd);

} // namespace quorvel
