#pragma once

// The cases of the gestation at birth.
#include "core/gestation.h"
#include "coredays.h"

#include <string_view>

// The EDD the gestation cases are measured against.
inline const quorvel::Date gestationCasesEdd = day(2000, 10, 7);

struct GestationCase {
    const char* name;
    std::string_view dayText;
    std::string_view monthText;
    std::string_view yearText;
    quorvel::Date birth;
    int gestationDays;
    int weeks;
    int days;
    std::string_view caption;
};
inline const GestationCase gestationCases[] = {
    {"on the EDD", "7", "October", "2000", day(2000, 10, 7), 280, 40, 0, "40 weeks 0 days"},
    {"three days late", "10", "October", "2000", day(2000, 10, 10), 283, 40, 3, "40 weeks 3 days"},
    {"six days early", "1", "October", "2000", day(2000, 10, 1), 274, 39, 1, "39 weeks 1 days"},
    {"three weeks early", "15", "September", "2000", day(2000, 9, 15), 258, 36, 6,
     "36 weeks 6 days"},
    {"five weeks late", "11", "November", "2000", day(2000, 11, 11), 315, 45, 0, "45 weeks 0 days"},
    {"one week one day keeps plural words", "9", "January", "2000", day(2000, 1, 9), 8, 1, 1,
     "1 weeks 1 days"},
    {"on the start of pregnancy", "1", "January", "2000", day(2000, 1, 1), 0, 0, 0,
     "0 weeks 0 days"},
    {"one day before the EDD", "6", "October", "2000", day(2000, 10, 6), 279, 39, 6,
     "39 weeks 6 days"},
    {"one day after the EDD", "8", "October", "2000", day(2000, 10, 8), 281, 40, 1,
     "40 weeks 1 days"},
    {"one day before pregnancy", "31", "December", "1999", day(1999, 12, 31), -1, -1, -1,
     quorvel::birthBeforePregnancyCaption},
    {"three days before pregnancy", "29", "December", "1999", day(1999, 12, 29), -3, -1, -3,
     quorvel::birthBeforePregnancyCaption},
    {"a week before pregnancy", "25", "December", "1999", day(1999, 12, 25), -7, -1, 0,
     quorvel::birthBeforePregnancyCaption},
    {"eight days before pregnancy", "24", "December", "1999", day(1999, 12, 24), -8, -2, -1,
     quorvel::birthBeforePregnancyCaption},
    // 1980 to 2000 holds 20 years and 5 leap days: -7305 days, -1043.57 weeks.
    {"twenty years before pregnancy", "1", "January", "1980", day(1980, 1, 1), -7305, -1044, -4,
     quorvel::birthBeforePregnancyCaption},
};

// Births in January 2000 against EDDs near the ends of the 16-bit range of gestation days.
struct GestationLimitCase {
    const char* name;
    std::string_view dayText; // of January 2000
    quorvel::Date edd;
    bool ok;
    int gestationDays;
    quorvel::DatingError error;
};
inline const GestationLimitCase gestationLimitCases[] = {
    {"largest gestation that fits", "1", day(2000, 1, 1) - std::chrono::days{32487}, true, 32767,
     quorvel::DatingError::OutOfRange},
    {"one day later leaves 16 bits", "1", day(2000, 1, 1) - std::chrono::days{32488}, false, 0,
     quorvel::DatingError::OutOfRange},
    {"furthest before the EDD that fits", "1", day(2000, 1, 1) + std::chrono::days{32768}, true,
     -32488, quorvel::DatingError::OutOfRange},
    {"one day earlier leaves 16 bits", "1", day(2000, 1, 1) + std::chrono::days{32769}, false, 0,
     quorvel::DatingError::OutOfRange},
    {"32 January", "32", day(2000, 10, 7), false, 0, quorvel::DatingError::NoSuchDate},
    {"empty day", "", day(2000, 10, 7), false, 0, quorvel::DatingError::NoSuchDate},
    {"leading zero day", "01", day(2000, 10, 7), false, 0, quorvel::DatingError::NoSuchDate},
};
