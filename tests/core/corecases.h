#pragma once

// Every case of the dating core's tables (the *cases.h files) with the check it gets, in one
// place: the QtTest tests run them as data rows, one function a group.

#include <functional>
#include <string>
#include <vector>

namespace quorvel::corecases {

// The cases that check one behaviour, as one QtTest function runs them.
enum class Group {
    MonthNames,
    DaysInMonth,
    LongDates,
    DateRows,
    NoDayTexts,
    NoDayRows,
    EveryDayFrom1980To2021,
    WholeNumbers,
    NotWholeNumbers,
    PublishedValues,
    ListedMeasurements,
    ListedDerivedGestations,
    DaysToEddLimits,
    MeasurementOptions,
    Edds,
    NoEdds,
    Gestations,
    GestationLimits,
};

inline constexpr Group allGroups[] = {
    Group::MonthNames,
    Group::DaysInMonth,
    Group::LongDates,
    Group::DateRows,
    Group::NoDayTexts,
    Group::NoDayRows,
    Group::EveryDayFrom1980To2021,
    Group::WholeNumbers,
    Group::NotWholeNumbers,
    Group::PublishedValues,
    Group::ListedMeasurements,
    Group::ListedDerivedGestations,
    Group::DaysToEddLimits,
    Group::MeasurementOptions,
    Group::Edds,
    Group::NoEdds,
    Group::Gestations,
    Group::GestationLimits,
};

struct Case {
    std::string name;
    // What the check found wrong, one finding a line; empty when the case holds.
    std::function<std::string()> failure;
};

std::vector<Case> cases(Group group);

} // namespace quorvel::corecases
