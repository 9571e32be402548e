// The EDD and the gestation at birth from fuzzed list texts. The input is lines:
//   choice, millimetres, weeks, days, day, month, year, birth day, birth month, birth year
// where the choice's first letter is L (LMP), C, B or H (a measurement) or D (derived
// gestation); any other byte picks one of these by its value. Missing lines are empty.
// Whatever the texts, nothing crashes, and an answer given is consistent with its inputs.

#include "core/edd.h"
#include "core/gestation.h"
#include "core/ultrasound.h"
#include "fuzzcheck.h"

#include <array>
#include <charconv>
#include <string>

using namespace quorvel;
using fuzz::require;

namespace {

enum Field { Choice, Millimetres, Weeks, Days, Day, Month, Year, BirthDay, BirthMonth, BirthYear };
constexpr std::size_t fieldCount = 10;
constexpr std::string_view choiceLetters = "LCBHD";
constexpr int daysPerWeek = 7;
constexpr std::string_view weeksWord = " weeks ";
constexpr std::string_view daysWord = " days";
// The EDD the gestation is measured against when the EDD texts give none: an LMP of
// 1 January 2000.
constexpr Date fallbackEdd{std::chrono::year{2000} / std::chrono::October / 7};

std::array<std::string_view, fieldCount> splitLines(std::string_view text)
{
    std::array<std::string_view, fieldCount> fields{};
    for (auto& field : fields) {
        const auto end = text.find('\n');
        field = text.substr(0, end);
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return fields;
}

EddInputs inputsFor(const std::array<std::string_view, fieldCount>& f)
{
    char letter = f[Choice].empty() ? choiceLetters.front() : f[Choice].front();
    if (choiceLetters.find(letter) == std::string_view::npos) {
        letter = choiceLetters[static_cast<unsigned char>(letter) % choiceLetters.size()];
    }
    EddInputs in;
    in.mode = letter == 'L' ? DatingMode::LastMenstrualPeriod : DatingMode::Ultrasound;
    in.scanData = letter == 'D' ? ScanData::DerivedGestation : ScanData::FetalBiometry;
    in.measurement = measurementFromOptions(letter == 'C', letter == 'B');
    in.measurementText = f[Millimetres];
    in.weeksText = f[Weeks];
    in.daysText = f[Days];
    in.dayText = f[Day];
    in.monthText = f[Month];
    in.yearText = f[Year];
    return in;
}

void checkEdd(const EddInputs& in, const Result<EddResult>& edd, std::string_view text)
{
    const auto start = dateFromTexts(in.dayText, in.monthText, in.yearText);
    if (!edd) {
        if (in.mode == DatingMode::LastMenstrualPeriod && start) {
            require(edd.error() == DatingError::OutOfRange,
                    "an LMP date read is refused only as out of range", text);
        }
        return;
    }
    require(start.ok(), "an EDD comes from a date that reads", text);
    const auto back = dateFromText(longDateText(edd->edd));
    require(back.ok() && *back == edd->edd, "the EDD text reads back as the EDD", text);

    const bool ultrasound = in.mode == DatingMode::Ultrasound;
    require(edd->scan.has_value() == ultrasound, "scan figures exactly for ultrasound dating",
            text);
    const int daysAdded = ultrasound ? edd->scan->daysToEdd : daysToTerm;
    require((edd->edd - *start).count() == daysAdded, "the EDD lies the days to term away", text);
    if (ultrasound) {
        const auto toEdd = daysToEdd(edd->scan->gestationalDays);
        require(toEdd.ok() && *toEdd == edd->scan->daysToEdd,
                "the days to the EDD follow from the gestational days", text);
    }
}

int captionNumber(std::string_view text)
{
    int value = -1;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

void checkGestation(const std::array<std::string_view, fieldCount>& f, Date edd,
                    std::string_view text)
{
    const auto g = computeGestAtBirth(f[BirthDay], f[BirthMonth], f[BirthYear], edd);
    const auto dob = dateFromTexts(f[BirthDay], f[BirthMonth], f[BirthYear]);
    require(g.ok() <= dob.ok(), "a gestation comes from a birth date that reads", text);
    if (!g) {
        return;
    }
    require(g->dateOfBirth == *dob, "the birth date is the one read", text);
    require(g->gestationDays == daysToTerm + (*dob - edd).count(),
            "the EDD is day 280 of the gestation", text);
    if (g->gestationDays < 0) {
        require(g->caption == birthBeforePregnancyCaption, "a birth before day 0 says so", text);
        return;
    }
    require(g->days >= 0 && g->days < daysPerWeek &&
                g->weeks * daysPerWeek + g->days == g->gestationDays,
            "weeks and days make the gestation", text);
    const std::string_view caption = g->caption;
    const auto weeksEnd = caption.find(weeksWord);
    require(weeksEnd != std::string_view::npos &&
                captionNumber(caption.substr(0, weeksEnd)) == g->weeks &&
                caption.ends_with(daysWord) &&
                captionNumber(caption.substr(weeksEnd + weeksWord.size())) == g->days,
            "the caption shows the weeks and days", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = fuzz::asText(data, size);
    const auto fields = splitLines(text);
    const EddInputs in = inputsFor(fields);
    const auto edd = computeEdd(in);
    checkEdd(in, edd, text);
    checkGestation(fields, edd ? edd->edd : fallbackEdd, text);
    return 0;
}
