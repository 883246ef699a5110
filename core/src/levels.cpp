// The arithmetic of the correction levels.
#include "retracement.h"

#include "nearest_rounding.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

namespace levelwise {
namespace {

static_assert(std::bit_cast<std::uint64_t>(kMultiplier382) == 0x3FD872B020C49BA6);
static_assert(std::bit_cast<std::uint64_t>(kMultiplier500) == 0x3FE0000000000000);
static_assert(std::bit_cast<std::uint64_t>(kMultiplier618) == 0x3FE3C6A7EF9DB22D);

// Round to a whole number, halfway cases to the even one (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// std::nearbyint would do it only while the rounding mode is to-nearest; std::round and
// std::trunc are exact in every mode, and so is each step here.
double RoundHalfEven(double x)
{
    if (!(std::fabs(x) < 0x1p52))
        return x;  // already whole (or not finite)
    if (std::fabs(x - std::trunc(x)) == 0.5)
        return 2.0 * std::round(x / 2.0);
    return std::round(x);
}

}  // namespace

std::optional<double> LevelValue(Price low, Price high, double k)
{
    detail::NearestRounding nearest;
    const double d = high - low;
    double p;
    if (std::isfinite(d)) {
        p = d * k;
    } else {
        // The range itself may exceed the largest double without the level doing so:
        // Low -1E+308 and High 1E+308 give d = 2E+308 but p = 7.64E+307 for k = 0.382.
        // Such prices are far from the subnormals, so halving them is exact, and the half
        // difference times 2k is the correctly rounded d * k.
        p = (high / 2.0 - low / 2.0) * (2.0 * k);
    }
    if (!std::isfinite(p))
        return std::nullopt;
    const double x = low + p;
    if (!std::isfinite(x))
        return std::nullopt;
    return RoundHalfEven(x);
}

std::optional<RetracementLevels> ComputeLevels(Price low, Price high, TrendDirection direction)
{
    RetracementLevels levels;
    if (direction == TrendDirection::Unmatched)
        return levels;

    // Long measures the correction down from High, Short up from Low; both are computed
    // from Low upwards, with the outer multipliers exchanged.
    const bool isLong = direction == TrendDirection::Long;
    using Slot = std::optional<double> RetracementLevels::*;
    const std::array<std::pair<Slot, double>, 3> plan{{
        {&RetracementLevels::level618, isLong ? kMultiplier382 : kMultiplier618},
        {&RetracementLevels::level500, kMultiplier500},
        {&RetracementLevels::level382, isLong ? kMultiplier618 : kMultiplier382},
    }};
    for (const auto &[slot, k] : plan) {
        const std::optional<double> level = LevelValue(low, high, k);
        if (!level)
            return std::nullopt;
        levels.*slot = level;
    }
    return levels;
}

}  // namespace levelwise
