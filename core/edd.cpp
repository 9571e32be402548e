#include "core/edd.h"

#include "core/numbertext.h"
#include "core/ultrasound.h"

namespace quorvel {

namespace {

// The years whose dates keep the one four-digit date text shape.
constexpr std::chrono::year firstWritableYear{1000};
constexpr std::chrono::year lastWritableYear{9999};

Result<double> gestationalDays(const EddInputs& in)
{
    if (in.scanData == ScanData::FetalBiometry) {
        const auto millimetres = wholeNumberFromText(in.measurementText);
        if (!millimetres) {
            return millimetres.error();
        }
        const double x = *millimetres;
        switch (in.measurement) {
        case Measurement::CrownRumpLength:
            return gestDaysCRL(x);
        case Measurement::BiparietalDiameter:
            return gestDaysBPD(x);
        case Measurement::HeadCircumference:
            break;
        }
        return gestDaysHC(x);
    }
    const auto weeks = wholeNumberFromText(in.weeksText);
    if (!weeks) {
        return weeks.error();
    }
    const auto days = wholeNumberFromText(in.daysText);
    if (!days) {
        return days.error();
    }
    return gestDaysDerived(*weeks, *days);
}

} // namespace

Measurement measurementFromOptions(bool crownRumpLength, bool biparietalDiameter)
{
    if (crownRumpLength) {
        return Measurement::CrownRumpLength;
    }
    if (biparietalDiameter) {
        return Measurement::BiparietalDiameter;
    }
    return Measurement::HeadCircumference;
}

Result<EddResult> computeEdd(const EddInputs& in)
{
    EddResult result;
    int daysAdded = daysToTerm;
    if (in.mode == DatingMode::Ultrasound) {
        const auto gestDays = gestationalDays(in);
        if (!gestDays) {
            return gestDays.error();
        }
        const auto toEdd = daysToEdd(*gestDays);
        if (!toEdd) {
            return toEdd.error();
        }
        result.scan = ScanDating{*gestDays, *toEdd};
        daysAdded = *toEdd;
    }

    const auto start = dateFromTexts(in.dayText, in.monthText, in.yearText);
    if (!start) {
        return start.error();
    }
    result.edd = *start + std::chrono::days{daysAdded};
    const auto eddYear = std::chrono::year_month_day{result.edd}.year();
    if (eddYear < firstWritableYear || eddYear > lastWritableYear) {
        return DatingError::OutOfRange;
    }
    return result;
}

} // namespace quorvel
