#pragma once

// The cases of the ultrasound formulas.
#include "core/ultrasound.h"

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

enum class Scan { CRL, BPD, HC, Derived };

inline double gestDays(Scan scan, double value, double days = 0)
{
    switch (scan) {
    case Scan::CRL:
        return quorvel::gestDaysCRL(value);
    case Scan::BPD:
        return quorvel::gestDaysBPD(value);
    case Scan::HC:
        return quorvel::gestDaysHC(value);
    case Scan::Derived:
        break;
    }
    return quorvel::gestDaysDerived(value, days);
}

// Head circumference dating with the square and cube by repeated multiplication.
inline double gestDaysHCByMultiplication(double x)
{
    return std::exp(x * 0.010611 - x * x * 0.000030321 + x * x * x * 0.000000043498 + 1.848) * 7;
}

struct PublishedValueCase {
    const char* name;
    Scan scan;
    double value;
    double days;
    std::string_view gestationalDays; // to four decimals
    int wholeDays;
    int toEdd;
};
inline const PublishedValueCase publishedValueCases[] = {
    {"CRL 10 mm", Scan::CRL, 10, 0, "49.6594", 49, 231},
    {"CRL 33 mm drops the fraction downward", Scan::CRL, 33, 0, "70.8332", 70, 210},
    {"CRL 54 mm lies closest to a whole day", Scan::CRL, 54, 0, "83.9846", 83, 197},
    {"CRL 56 mm", Scan::CRL, 56, 0, "85.0903", 85, 195},
    {"BPD 20 mm", Scan::BPD, 20, 0, "83.9700", 83, 197},
    {"BPD 37 mm", Scan::BPD, 37, 0, "117.8000", 117, 163},
    {"BPD 55 mm meets HC 195 mm", Scan::BPD, 55, 0, "153.6200", 153, 127},
    {"HC 75 mm", Scan::HC, 75, 0, "84.5658", 84, 196},
    {"HC 100 mm", Scan::HC, 100, 0, "99.0177", 99, 181},
    {"HC 135 mm", Scan::HC, 135, 0, "119.2016", 119, 161},
    {"HC 195 mm meets BPD 55 mm", Scan::HC, 195, 0, "153.3360", 153, 127},
    {"18 weeks 0 days is whole already", Scan::Derived, 18, 0, "126.0000", 126, 154},
    {"7 weeks 6 days", Scan::Derived, 7, 6, "55.0000", 55, 225},
    {"22 weeks 6 days", Scan::Derived, 22, 6, "160.0000", 160, 120},
};

struct ListedMeasurementCase {
    const char* name;
    Scan scan;
    int first;
    int last;
    int step;
};
inline const ListedMeasurementCase listedMeasurementCases[] = {
    {"CRL 10 to 56 mm", Scan::CRL, 10, 56, 1},
    {"BPD 20 to 55 mm", Scan::BPD, 20, 55, 1},
    {"HC 75 to 195 mm by 5", Scan::HC, 75, 195, 5},
};
// Each listed value gives a gestation safely away from a whole day, so the whole days cannot
// depend on rounding; a longer measurement never leaves more days to the EDD. The first value
// that breaks this, or an empty text.
inline std::string listedMeasurementFailure(const ListedMeasurementCase& listed)
{
    double previous = 0;
    for (int mm = listed.first; mm <= listed.last; mm += listed.step) {
        const std::string at = std::to_string(mm) + " mm: ";
        const double g = gestDays(listed.scan, mm);
        if (std::abs(g - std::round(g)) < 0.015) {
            return at + std::to_string(g) + " days is too near a whole day";
        }
        if (!(g > previous && g >= 49 && g <= 161)) {
            return at + std::to_string(g) + " days is out of order or range";
        }
        previous = g;
        const auto toEdd = quorvel::daysToEdd(g);
        if (!toEdd || *toEdd < 120 || *toEdd > 231) {
            return at + "days to the EDD out of range";
        }
        if (listed.scan == Scan::HC &&
            std::floor(g) != std::floor(gestDaysHCByMultiplication(mm))) {
            return at + "differs from the formula by multiplication";
        }
    }
    return {};
}

// Weeks 7 to 22 and days 0 to 6 name every whole day from 49 to 160 exactly once, and every
// whole number of days to the EDD from 120 to 231. The first breach, or an empty text.
inline std::string listedDerivedGestationFailure()
{
    std::vector<int> seen(161, 0);
    std::vector<int> seenToEdd(232, 0);
    for (int weeks = 7; weeks <= 22; ++weeks) {
        for (int days = 0; days <= 6; ++days) {
            const std::string at =
                std::to_string(weeks) + " weeks " + std::to_string(days) + " days: ";
            const double g = quorvel::gestDaysDerived(weeks, days);
            if (g != std::floor(g) || g < 49 || g > 160) {
                return at + std::to_string(g) + " days";
            }
            ++seen[static_cast<std::size_t>(g)];
            const auto toEdd = quorvel::daysToEdd(g);
            if (!toEdd || *toEdd < 120 || *toEdd > 231) {
                return at + "days to the EDD out of range";
            }
            ++seenToEdd[static_cast<std::size_t>(*toEdd)];
        }
    }
    for (int d = 49; d <= 160; ++d) {
        if (seen[static_cast<std::size_t>(d)] != 1) {
            return "gestation of " + std::to_string(d) + " days not named once";
        }
    }
    for (int d = 120; d <= 231; ++d) {
        if (seenToEdd[static_cast<std::size_t>(d)] != 1) {
            return std::to_string(d) + " days to the EDD not reached once";
        }
    }
    return {};
}

struct DaysToEddCase {
    const char* name;
    double gestationalDays;
    bool ok;
    int toEdd;
};
inline constexpr double infinity = std::numeric_limits<double>::infinity();
inline const DaysToEddCase daysToEddCases[] = {
    {"on term", 280.0, true, 0},
    {"past term", 290.5, true, -10},
    {"negative fraction drops downward", -0.5, true, 281},
    {"largest 16-bit result", -32487.0, true, 32767},
    {"smallest 16-bit result", 33048.9, true, -32768},
    {"one above the 16-bit range", -32487.5, false, 0},
    {"one below the 16-bit range", 33049.0, false, 0},
    {"huge", 1e300, false, 0},
    {"huge negative", -1e300, false, 0},
    {"infinity", infinity, false, 0},
    {"negative infinity", -infinity, false, 0},
    {"NaN", std::numeric_limits<double>::quiet_NaN(), false, 0},
};
