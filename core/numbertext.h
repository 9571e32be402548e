#pragma once

#include "core/result.h"

#include <string_view>

namespace quorvel {

/// The value of a plain whole number text: ASCII digits only, no sign, no blanks, no leading
/// zero (but "0" itself), at most six digits.
Result<int> wholeNumberFromText(std::string_view text);

} // namespace quorvel
