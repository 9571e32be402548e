#include "core/result.h"

namespace quorvel {

const char* describe(DatingError error)
{
    switch (error) {
    case DatingError::NoSuchDate:
        return "the text does not name a calendar day";
    case DatingError::NotAWholeNumber:
        return "the text is not a plain whole number";
    case DatingError::OutOfRange:
        return "the value is outside the range the calculator handles";
    }
    return "unknown error";
}

} // namespace quorvel
