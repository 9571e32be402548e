#include "core/numbertext.h"

namespace quorvel {

namespace {
// Far beyond any list item, and small enough that the value never overflows an int.
constexpr std::size_t maxDigits = 6;
} // namespace

Result<int> wholeNumberFromText(std::string_view text)
{
    if (text.empty() || text.size() > maxDigits || (text.size() > 1 && text.front() == '0')) {
        return DatingError::NotAWholeNumber;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return DatingError::NotAWholeNumber;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace quorvel
