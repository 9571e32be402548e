// Whole-number texts: whatever the bytes, reading never crashes, and a text is accepted
// exactly when it is the plain decimal spelling of a value of at most six digits, which is
// then its value. The standard library's own number reading is the judge.

#include "core/numbertext.h"
#include "fuzzcheck.h"

#include <charconv>
#include <string>

using namespace quorvel;
using fuzz::require;

namespace {

constexpr std::size_t maxDigits = 6;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = fuzz::asText(data, size);
    const auto number = wholeNumberFromText(text);

    // Unsigned, so that from_chars takes no sign either.
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool plain = error == std::errc{} && end == text.data() + text.size() &&
                       text.size() <= maxDigits && std::to_string(value) == text;

    require(number.ok() == plain, "accepted exactly when a plain number of six digits at most",
            text);
    if (number) {
        require(static_cast<unsigned>(*number) == value, "the value is the text's number", text);
    }
    return 0;
}
