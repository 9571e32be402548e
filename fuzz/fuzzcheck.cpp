#include "fuzzcheck.h"

#include <cstdio>
#include <cstdlib>

namespace quorvel::fuzz {

std::string_view asText(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

void require(bool holds, const char* property, std::string_view text)
{
    if (holds) {
        return;
    }
    std::fprintf(stderr, "broken property: %s\ninput (%zu bytes): \"", property, text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= ' ' && byte < 0x7f && c != '"' && c != '\\') {
            std::fputc(c, stderr);
        } else {
            std::fprintf(stderr, "\\x%02x", byte);
        }
    }
    std::fputs("\"\n", stderr);
    std::abort();
}

} // namespace quorvel::fuzz
