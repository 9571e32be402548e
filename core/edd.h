#pragma once

#include "core/calendar.h"
#include "core/result.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quorvel {

enum class DatingMode { LastMenstrualPeriod, Ultrasound };
enum class ScanData { FetalBiometry, DerivedGestation };
enum class Measurement { CrownRumpLength, BiparietalDiameter, HeadCircumference };

/// The measurement the options name: crown-rump length when chosen, else biparietal
/// diameter when chosen, else head circumference (whatever its own option says).
Measurement measurementFromOptions(bool crownRumpLength, bool biparietalDiameter);

// What the dating choices and the picked list texts say, held as copies so the caller can
// fill it straight from the lists. Texts that the mode and scan data do not use are ignored
// and may be empty.
struct EddInputs {
    DatingMode mode = DatingMode::LastMenstrualPeriod;
    ScanData scanData = ScanData::FetalBiometry;
    Measurement measurement = Measurement::HeadCircumference;
    std::string measurementText; // millimetres, fetal biometry
    std::string weeksText;       // derived gestation
    std::string daysText;        // derived gestation
    std::string dayText;         // the LMP or scan date
    std::string monthText;
    std::string yearText;
};

struct ScanDating {
    double gestationalDays = 0; // at the scan date, not rounded
    std::int16_t daysToEdd = 0;
};

// The EDD as a day; the window writes its long date text.
struct EddResult {
    Date edd;
    std::optional<ScanDating> scan; // ultrasound-based dating only
};

/// The EDD: LMP + 280 days, or scan date + the days the scan data leave to term; refused
/// when its year has no four-digit date text.
Result<EddResult> computeEdd(const EddInputs& inputs);

} // namespace quorvel
