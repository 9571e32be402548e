#pragma once

// The cases of the whole-number texts.
#include <string_view>

using namespace std::string_view_literals;

struct WholeNumberCase {
    const char* name;
    std::string_view text;
    int value;
};
inline const WholeNumberCase wholeNumberCases[] = {
    {"zero", "0", 0},
    {"one digit", "7", 7},
    {"largest CRL", "56", 56},
    {"largest HC", "195", 195},
    {"six digits", "999999", 999999},
};

struct NotWholeNumberCase {
    const char* name;
    std::string_view text;
};
inline const NotWholeNumberCase notWholeNumberCases[] = {
    {"empty", ""},
    {"minus sign", "-5"},
    {"plus sign", "+5"},
    {"leading space", " 5"},
    {"trailing space", "5 "},
    {"decimal point", "5.0"},
    {"decimal comma", "5,0"},
    {"thousands separator", "1,000"},
    {"leading zero", "05"},
    {"two zeros", "00"},
    {"exponent", "1e3"},
    {"hexadecimal", "0x1F"},
    {"fullwidth digits", "１２"},
    {"Arabic-Indic digit", "٥"},
    {"embedded NUL", "5\0"sv},
    {"seven digits", "1000000"},
    {"beyond int", "99999999999"},
};
