#pragma once

#include <optional>
#include <utility>

namespace quorvel {

// Why an input to the dating arithmetic was refused.
enum class DatingError {
    NoSuchDate,      // the text is not "day month year" naming a calendar day
    NotAWholeNumber, // the text is not a plain whole number
    OutOfRange,      // the numbers give a value the calculator cannot hold or show
};

/// A short English description of a dating error, for logs and messages.
const char* describe(DatingError error);

// A value, or the reason there is none. Reading the value of a failed result throws
// std::bad_optional_access rather than reading anything undefined.
template <typename T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(DatingError error) : error_(error) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return value_.value(); }
    const T& operator*() const { return value_.value(); }
    const T* operator->() const { return &value_.value(); }
    DatingError error() const { return error_; }

private:
    std::optional<T> value_;
    DatingError error_ = DatingError::NoSuchDate;
};

} // namespace quorvel
