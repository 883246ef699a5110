// Small helpers shared by the core's test programs.
#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>

namespace levelwise::test {

inline std::uint64_t Bits(double x) { return std::bit_cast<std::uint64_t>(x); }

// "15669 (0x40ce9a8000000000)": readable, and exact down to the sign of zero.
inline std::string Describe(double x)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g (0x%016llx)", x,
                  static_cast<unsigned long long>(Bits(x)));
    return buffer;
}

inline std::string Describe(const std::optional<double> &x)
{
    return x ? Describe(*x) : std::string("unset");
}

inline std::string Utf8(const std::u16string &text)
{
    std::string out;
    for (const char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace levelwise::test
