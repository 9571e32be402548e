#pragma once

#include "core/calendar.h"
#include "core/result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

enum class DatingMode { LastMenstrualPeriod, Ultrasound };
enum class ScanData { FetalBiometry, DerivedGestation };
enum class Measurement { CrownRumpLength, BiparietalDiameter, HeadCircumference };

/// The measurement the options name: crown-rump length when chosen, else biparietal
/// diameter when chosen, else head circumference (whatever its own option says).
Measurement measurementFromOptions(bool crownRumpLength, bool biparietalDiameter);

// What the dating choices and the picked list texts say. Texts that the mode and scan data
// do not use are ignored and may be empty.
struct EddInputs {
    DatingMode mode = DatingMode::LastMenstrualPeriod;
    ScanData scanData = ScanData::FetalBiometry;
    Measurement measurement = Measurement::HeadCircumference;
    std::string_view measurementText; // millimetres, fetal biometry
    std::string_view weeksText;       // derived gestation
    std::string_view daysText;        // derived gestation
    std::string_view dayText;         // the LMP or scan date
    std::string_view monthText;
    std::string_view yearText;
};

struct ScanDating {
    double gestationalDays = 0; // at the scan date, not rounded
    std::int16_t daysToEdd = 0;
};

struct EddResult {
    Date edd;
    std::string eddText;
    std::optional<ScanDating> scan; // ultrasound-based dating only
};

/// The EDD: LMP + 280 days, or scan date + the days the scan data leave to term.
Result<EddResult> computeEdd(const EddInputs& inputs);

} // namespace quorvel
