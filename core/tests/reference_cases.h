// A file of generated cases with the exact reference's verdicts, so that a build for another
// CPU can be checked without MPFR. Records are in the host's byte order: little-endian on
// every CPU that writes or reads them (x86-64, aarch64).
#pragma once

#include "generated_cases.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

namespace levelwise::test {

inline constexpr char kReferenceMagic[8] = {'L', 'W', 'R', 'E', 'F', '1', '\n', '\0'};

struct ReferenceRecord {
    std::uint64_t low, high;
    std::uint8_t isLong;
    std::uint8_t overflow;
    std::uint64_t level382, level500, level618;
};

inline void WriteRecord(std::FILE *out, const Case &c,
                        const std::optional<RetracementLevels> &levels)
{
    const ReferenceRecord r{Bits(c.low),
                            Bits(c.high),
                            std::uint8_t(c.direction == TrendDirection::Long),
                            std::uint8_t(!levels),
                            levels ? Bits(*levels->level382) : 0,
                            levels ? Bits(*levels->level500) : 0,
                            levels ? Bits(*levels->level618) : 0};
    std::fwrite(&r.low, 8, 1, out);
    std::fwrite(&r.high, 8, 1, out);
    std::fwrite(&r.isLong, 1, 1, out);
    std::fwrite(&r.overflow, 1, 1, out);
    std::fwrite(&r.level382, 8, 1, out);
    std::fwrite(&r.level500, 8, 1, out);
    std::fwrite(&r.level618, 8, 1, out);
}

inline bool ReadRecord(std::FILE *in, Case &c, std::optional<RetracementLevels> &levels)
{
    ReferenceRecord r{};
    if (std::fread(&r.low, 8, 1, in) != 1 || std::fread(&r.high, 8, 1, in) != 1 ||
        std::fread(&r.isLong, 1, 1, in) != 1 || std::fread(&r.overflow, 1, 1, in) != 1 ||
        std::fread(&r.level382, 8, 1, in) != 1 || std::fread(&r.level500, 8, 1, in) != 1 ||
        std::fread(&r.level618, 8, 1, in) != 1)
        return false;
    c = {std::bit_cast<double>(r.low), std::bit_cast<double>(r.high),
         r.isLong ? TrendDirection::Long : TrendDirection::Short};
    levels.reset();
    if (!r.overflow)
        levels =
            RetracementLevels{std::bit_cast<double>(r.level382), std::bit_cast<double>(r.level500),
                              std::bit_cast<double>(r.level618)};
    return true;
}

}  // namespace levelwise::test
