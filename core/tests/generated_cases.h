// Generated (Low, High, direction) cases aimed at the hard regions of binary64 arithmetic,
// and ways to compare and show their levels. Shared by the differential test and by the
// reference files that the cross-CPU check reads.
#pragma once

#include "retracement.h"
#include "test_support.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>

namespace levelwise::test {

struct Case {
    double low;
    double high;
    TrendDirection direction;
};

inline std::string Reproduce(const Case &c)
{
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "Low %a, High %a, %s", c.low, c.high,
                  c.direction == TrendDirection::Long ? "Long" : "Short");
    return buffer;
}

inline std::string Show(const std::optional<RetracementLevels> &levels)
{
    if (!levels)
        return "overflow";
    return Describe(levels->level382) + ", " + Describe(levels->level500) + ", " +
           Describe(levels->level618);
}

inline bool SameBits(const std::optional<RetracementLevels> &a,
                     const std::optional<RetracementLevels> &b)
{
    // An unset level as bits no level has: a NaN.
    const auto bits = [](const std::optional<double> &x) { return x ? Bits(*x) : ~0ull; };
    const auto all = [&](const RetracementLevels &l) {
        return std::array{bits(l.level382), bits(l.level500), bits(l.level618)};
    };
    return a.has_value() == b.has_value() && (!a || all(*a) == all(*b));
}

// Case generators, each aimed at a region where binary64 arithmetic can go wrong.
class CaseGenerator {
public:
    explicit CaseGenerator(std::uint64_t seed) : m_rng(seed) {}

    using Maker = Case (CaseGenerator::*)();
    struct Kind {
        const char *name;
        Maker make;
    };

    static const std::array<Kind, 9> &Kinds()
    {
        static constexpr std::array<Kind, 9> kinds{{
            {"whole prices", &CaseGenerator::WholePrices},
            {"exact ties", &CaseGenerator::Ties},
            {"equal prices", &CaseGenerator::EqualPrices},
            {"two decimals", &CaseGenerator::TwoDecimals},
            {"negative and fractional", &CaseGenerator::Fractional},
            {"subnormals", &CaseGenerator::Subnormals},
            {"near 1E+308", &CaseGenerator::NearTheTop},
            {"huge and tiny mixed", &CaseGenerator::HugeAndTiny},
            {"any finite bits", &CaseGenerator::AnyFinite},
        }};
        return kinds;
    }

private:
    TrendDirection Direction()
    {
        return (m_rng() & 1) ? TrendDirection::Long : TrendDirection::Short;
    }
    double Uniform(double a, double b)
    {
        return std::uniform_real_distribution<double>(a, b)(m_rng);
    }
    std::int64_t Integer(std::int64_t a, std::int64_t b)
    {
        return std::uniform_int_distribution<std::int64_t>(a, b)(m_rng);
    }
    double Sign() { return (m_rng() & 1) ? -1.0 : 1.0; }
    double WithExponentField(std::uint64_t field)
    {
        const std::uint64_t mantissa = m_rng() & 0x000F'FFFF'FFFF'FFFFull;
        return Sign() * std::bit_cast<double>((field << 52) | mantissa);
    }

    Case WholePrices()
    {
        return {double(Integer(0, 200000)), double(Integer(0, 200000)), Direction()};
    }
    // d = 250 + 500m puts both 0.382 and 0.618 products on .5; an odd d does it for 0.5.
    Case Ties()
    {
        const double low = double(Integer(-1'000'000, 1'000'000));
        const std::int64_t d =
            (m_rng() & 1) ? 250 + 500 * Integer(-100000, 100000) : 2 * Integer(-500000, 500000) + 1;
        return {low, low + double(d), Direction()};
    }
    Case EqualPrices()
    {
        const double price = (m_rng() & 1) ? double(Integer(-100000, 100000)) + 0.5
                                           : WithExponentField(Integer(0, 2046));
        return {price, price, Direction()};
    }
    Case TwoDecimals()
    {
        return {double(Integer(-10'000'000, 10'000'000)) / 100,
                double(Integer(-10'000'000, 10'000'000)) / 100, Direction()};
    }
    Case Fractional() { return {Uniform(-1e6, 1e6), Uniform(-1e6, 1e6), Direction()}; }
    Case Subnormals()
    {
        const double tiny = WithExponentField(0);
        const double other =
            (m_rng() & 1) ? WithExponentField(0) : WithExponentField(Integer(1, 3));
        return (m_rng() & 1) ? Case{tiny, other, Direction()} : Case{other, tiny, Direction()};
    }
    // The top binade half of the time and opposite signs half of the time, so that the range
    // exceeds the largest double and the product may overflow.
    double Huge() { return WithExponentField((m_rng() & 1) ? 2046 : Integer(2040, 2045)); }
    Case NearTheTop()
    {
        const double low = Huge();
        const double high = Huge();
        return {low, (m_rng() & 1) ? -std::copysign(high, low) : high, Direction()};
    }
    Case HugeAndTiny()
    {
        return {WithExponentField(Integer(2030, 2046)), WithExponentField(Integer(0, 1100)),
                Direction()};
    }
    Case AnyFinite()
    {
        return {WithExponentField(Integer(0, 2046)), WithExponentField(Integer(0, 2046)),
                Direction()};
    }

    std::mt19937_64 m_rng;
};

inline std::uint64_t ChooseSeed()
{
    if (const char *fixed = std::getenv("LEVELWISE_SEED"))
        return std::strtoull(fixed, nullptr, 0);
    return std::random_device{}() * 0x9E3779B97F4A7C15ull ^ std::random_device{}();
}

}  // namespace levelwise::test
