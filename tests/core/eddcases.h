#pragma once

// The cases of the EDD calculation.
#include "core/edd.h"
#include "coredays.h"

#include <functional>
#include <string_view>

inline constexpr auto crl = quorvel::Measurement::CrownRumpLength;
inline constexpr auto bpd = quorvel::Measurement::BiparietalDiameter;
inline constexpr auto hc = quorvel::Measurement::HeadCircumference;

inline quorvel::EddInputs lmpDating(std::string_view d, std::string_view m, std::string_view y)
{
    quorvel::EddInputs in;
    in.mode = quorvel::DatingMode::LastMenstrualPeriod;
    in.dayText = d;
    in.monthText = m;
    in.yearText = y;
    return in;
}

inline quorvel::EddInputs biometryDating(quorvel::Measurement measurement, std::string_view mm,
                                         std::string_view d, std::string_view m, std::string_view y)
{
    quorvel::EddInputs in = lmpDating(d, m, y);
    in.mode = quorvel::DatingMode::Ultrasound;
    in.scanData = quorvel::ScanData::FetalBiometry;
    in.measurement = measurement;
    in.measurementText = mm;
    return in;
}

inline quorvel::EddInputs derivedDating(std::string_view weeks, std::string_view days,
                                        std::string_view d, std::string_view m, std::string_view y)
{
    quorvel::EddInputs in = lmpDating(d, m, y);
    in.mode = quorvel::DatingMode::Ultrasound;
    in.scanData = quorvel::ScanData::DerivedGestation;
    in.weeksText = weeks;
    in.daysText = days;
    return in;
}

// inputs changed by change.
inline quorvel::EddInputs with(quorvel::EddInputs inputs,
                               const std::function<void(quorvel::EddInputs&)>& change)
{
    change(inputs);
    return inputs;
}

struct MeasurementOptionCase {
    const char* name;
    bool crownRump;
    bool biparietal;
    quorvel::Measurement measurement;
};
inline const MeasurementOptionCase measurementOptionCases[] = {
    {"CRL chosen", true, false, crl},
    {"BPD chosen", false, true, bpd},
    {"neither chosen falls through to HC", false, false, hc},
    {"CRL is asked first", true, true, crl},
};

struct EddCase {
    const char* name;
    quorvel::EddInputs inputs;
    quorvel::Date edd;
    std::string_view eddText;
    int wholeDays; // -1: no scan result
    int toEdd;
};
inline const EddCase eddCases[] = {
    {"LMP 1 January 2000", lmpDating("1", "January", "2000"), day(2000, 10, 7), "7 October 2000",
     -1, 0},
    {"LMP 1 June 2019 crosses a leap day into the next year", lmpDating("1", "June", "2019"),
     day(2020, 3, 7), "7 March 2020", -1, 0},
    {"LMP 25 May 2003 lands on a leap day", lmpDating("25", "May", "2003"), day(2004, 2, 29),
     "29 February 2004", -1, 0},
    {"LMP dating ignores the scan texts",
     with(derivedDating("-1", "", "1", "January", "2000"),
          [](quorvel::EddInputs& in) {
              in.mode = quorvel::DatingMode::LastMenstrualPeriod;
              in.measurementText = "x";
          }),
     day(2000, 10, 7), "7 October 2000", -1, 0},
    {"CRL 33 mm never moves the EDD later, derived texts ignored",
     with(biometryDating(crl, "33", "10", "March", "2004"),
          [](quorvel::EddInputs& in) { in.weeksText = "x"; }),
     day(2004, 10, 6), "6 October 2004", 70, 210},
    {"BPD 37 mm", biometryDating(bpd, "37", "10", "March", "2004"), day(2004, 8, 20),
     "20 August 2004", 117, 163},
    {"HC 135 mm when neither CRL nor BPD is chosen",
     biometryDating(quorvel::measurementFromOptions(false, false), "135", "10", "March", "2004"),
     day(2004, 8, 18), "18 August 2004", 119, 161},
    {"derived 18 weeks 0 days, measurement text ignored",
     with(derivedDating("18", "0", "10", "March", "2004"),
          [](quorvel::EddInputs& in) { in.measurementText = "x"; }),
     day(2004, 8, 11), "11 August 2004", 126, 154},
};

struct NoEddCase {
    const char* name;
    quorvel::EddInputs inputs;
    quorvel::DatingError error;
};
inline const NoEddCase noEddCases[] = {
    {"LMP 31 April", lmpDating("31", "April", "2004"), quorvel::DatingError::NoSuchDate},
    {"LMP 29 February of a common year", lmpDating("29", "February", "2001"),
     quorvel::DatingError::NoSuchDate},
    {"scan date with an empty day", derivedDating("18", "0", "", "March", "2004"),
     quorvel::DatingError::NoSuchDate},
    {"measurement with a fraction", biometryDating(crl, "33.5", "10", "March", "2004"),
     quorvel::DatingError::NotAWholeNumber},
    {"negative measurement", biometryDating(crl, "-5", "10", "March", "2004"),
     quorvel::DatingError::NotAWholeNumber},
    {"empty weeks", derivedDating("", "0", "10", "March", "2004"),
     quorvel::DatingError::NotAWholeNumber},
    {"signed days", derivedDating("18", "+0", "10", "March", "2004"),
     quorvel::DatingError::NotAWholeNumber},
    {"HC so long the gestation overflows", biometryDating(hc, "999999", "10", "March", "2004"),
     quorvel::DatingError::OutOfRange},
    {"BPD so long the days to the EDD leave 16 bits",
     biometryDating(bpd, "999999", "10", "March", "2004"), quorvel::DatingError::OutOfRange},
    {"EDD after year 9999", lmpDating("31", "December", "9999"), quorvel::DatingError::OutOfRange},
    {"scan-based EDD after year 9999", biometryDating(crl, "10", "1", "June", "9999"),
     quorvel::DatingError::OutOfRange},
    {"EDD before year 1000 from a gestation past term",
     derivedDating("100", "0", "1", "January", "1000"), quorvel::DatingError::OutOfRange},
};
