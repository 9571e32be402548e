#pragma once

// What a fuzz target does with its input: a property that fails aborts the run, so that
// libFuzzer records the input as a crash and CI fails on it like on a sanitizer report.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvel::fuzz {

// The fuzzer's bytes as a text, unchanged.
std::string_view asText(const std::uint8_t* data, std::size_t size);

// Aborts, naming the property and the text it failed on, when `holds` is false.
void require(bool holds, const char* property, std::string_view text);

} // namespace quorvel::fuzz
