// Differential test: every level and every overflow verdict of the core against an exact
// reference built on MPFR, over a million generated cases per run.
#include "retracement.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <array>
#include <bit>
#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <utility>

namespace levelwise {
namespace {

using test::Bits;
using test::Describe;

// The multipliers from their bit patterns, not from the core's constants.
const double kReference382 = std::bit_cast<double>(std::uint64_t{0x3FD872B020C49BA6});
const double kReference500 = std::bit_cast<double>(std::uint64_t{0x3FE0000000000000});
const double kReference618 = std::bit_cast<double>(std::uint64_t{0x3FE3C6A7EF9DB22D});

// One level in exact arithmetic, rounded the way binary64 rounds: the difference to 53 bits
// with an unbounded exponent, then product and sum each to binary64 with its subnormals and
// its overflow, then to a whole number with ties to even.
class ReferenceLevel {
public:
    struct Result {
        std::optional<double> level;  // unset on overflow
        bool tie = false;             // x was exactly halfway between two whole numbers
        bool wideDifference = false;  // High - Low exceeded the largest double
    };

    ReferenceLevel()
    {
        for (mpfr_ptr v : {m_low, m_high, m_k, m_d, m_p, m_x, m_frac})
            mpfr_init2(v, 53);
    }
    ~ReferenceLevel()
    {
        for (mpfr_ptr v : {m_low, m_high, m_k, m_d, m_p, m_x, m_frac})
            mpfr_clear(v);
    }
    ReferenceLevel(const ReferenceLevel &) = delete;
    ReferenceLevel &operator=(const ReferenceLevel &) = delete;

    Result Compute(double low, double high, double k)
    {
        Result result;
        mpfr_set_d(m_low, low, MPFR_RNDN);
        mpfr_set_d(m_high, high, MPFR_RNDN);
        mpfr_set_d(m_k, k, MPFR_RNDN);
        mpfr_sub(m_d, m_high, m_low, MPFR_RNDN);  // MPFR's default exponent range is far wider
        result.wideDifference = mpfr_cmp_d(m_d, DBL_MAX) > 0 ||
                                mpfr_cmp_d(m_d, -DBL_MAX) < 0;
        if (!ToBinary64(m_p, mpfr_mul(m_p, m_d, m_k, MPFR_RNDN)))
            return result;
        if (!ToBinary64(m_x, mpfr_add(m_x, m_low, m_p, MPFR_RNDN)))
            return result;
        mpfr_frac(m_frac, m_x, MPFR_RNDN);
        result.tie = mpfr_cmpabs(m_frac, HalfValue()) == 0;
        mpfr_roundeven(m_x, m_x);
        result.level = mpfr_get_d(m_x, MPFR_RNDN);
        return result;
    }

private:
    mpfr_srcptr HalfValue()
    {
        static mpfr_t half;
        static const bool ready = (mpfr_init2(half, 53), mpfr_set_d(half, 0.5, MPFR_RNDN), true);
        (void)ready;
        return half;
    }

    // Rounds a 53-bit result (ternary t) into binary64's range: subnormals lose bits without
    // double rounding, and anything from 2^1024 up is an overflow.
    static bool ToBinary64(mpfr_ptr v, int t)
    {
        const mpfr_exp_t emin = mpfr_get_emin();
        const mpfr_exp_t emax = mpfr_get_emax();
        mpfr_set_emin(-1073);
        mpfr_set_emax(1024);
        t = mpfr_check_range(v, t, MPFR_RNDN);
        mpfr_subnormalize(v, t, MPFR_RNDN);
        mpfr_set_emin(emin);
        mpfr_set_emax(emax);
        return !mpfr_inf_p(v);
    }

    mpfr_t m_low, m_high, m_k, m_d, m_p, m_x, m_frac;
};

struct Case {
    double low;
    double high;
    TrendDirection direction;
};

// The reference of a whole calculation, with the multipliers of each slot and the order in
// which the slots are computed written out once more.
struct ReferenceVerdict {
    std::optional<RetracementLevels> levels;
    int ties = 0;
    bool wideDifference = false;
};

ReferenceVerdict Reference(ReferenceLevel &reference, const Case &c)
{
    const bool isLong = c.direction == TrendDirection::Long;
    const double k382 = isLong ? kReference618 : kReference382;
    const double k618 = isLong ? kReference382 : kReference618;
    ReferenceVerdict verdict;
    RetracementLevels levels;
    for (auto [k, slot] : {std::pair{k618, &levels.level618}, std::pair{kReference500, &levels.level500},
                           std::pair{k382, &levels.level382}}) {
        const ReferenceLevel::Result r = reference.Compute(c.low, c.high, k);
        verdict.wideDifference = verdict.wideDifference || r.wideDifference;
        if (!r.level)
            return verdict;
        verdict.ties += r.tie ? 1 : 0;
        *slot = r.level;
    }
    verdict.levels = levels;
    return verdict;
}

std::string Reproduce(const Case &c)
{
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "Low %a, High %a, %s", c.low, c.high,
                  c.direction == TrendDirection::Long ? "Long" : "Short");
    return buffer;
}

std::string Show(const std::optional<RetracementLevels> &levels)
{
    if (!levels)
        return "overflow";
    return Describe(levels->level382) + ", " + Describe(levels->level500) + ", " +
           Describe(levels->level618);
}

bool SameBits(const std::optional<RetracementLevels> &a, const std::optional<RetracementLevels> &b)
{
    if (a.has_value() != b.has_value())
        return false;
    if (!a)
        return true;
    const auto same = [](const std::optional<double> &x, const std::optional<double> &y) {
        return x.has_value() == y.has_value() && (!x || Bits(*x) == Bits(*y));
    };
    return same(a->level382, b->level382) && same(a->level500, b->level500) &&
           same(a->level618, b->level618);
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

    static const std::array<Kind, 9> &Kinds();

private:
    TrendDirection Direction() { return (m_rng() & 1) ? TrendDirection::Long : TrendDirection::Short; }
    double Uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(m_rng); }
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
        const std::int64_t d = (m_rng() & 1) ? 250 + 500 * Integer(-100000, 100000)
                                             : 2 * Integer(-500000, 500000) + 1;
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
        const double other = (m_rng() & 1) ? WithExponentField(0) : WithExponentField(Integer(1, 3));
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
    Case AnyFinite() { return {WithExponentField(Integer(0, 2046)), WithExponentField(Integer(0, 2046)), Direction()}; }

    std::mt19937_64 m_rng;
};

const std::array<CaseGenerator::Kind, 9> &CaseGenerator::Kinds()
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

std::uint64_t ChooseSeed()
{
    if (const char *fixed = std::getenv("LEVELWISE_SEED"))
        return std::strtoull(fixed, nullptr, 0);
    return std::random_device{}() * 0x9E3779B97F4A7C15ull ^ std::random_device{}();
}

TEST(MpfrReference, AgreesBitForBitOnAMillionCases)
{
    constexpr long kCasesPerKind = 200'000;  // nine kinds: 1,800,000 cases in all
    const std::uint64_t seed = ChooseSeed();
    std::printf("seed 0x%016" PRIx64 " (set LEVELWISE_SEED to repeat this run)\n", seed);
    CaseGenerator generator(seed);
    ReferenceLevel reference;

    long cases = 0, mismatches = 0, overflows = 0, ties = 0, wideWithoutFailure = 0;
    for (const auto &kind : CaseGenerator::Kinds()) {
        long kindOverflows = 0, kindTies = 0;
        for (long i = 0; i < kCasesPerKind; ++i) {
            const Case c = (generator.*kind.make)();
            const ReferenceVerdict expected = Reference(reference, c);
            const std::optional<RetracementLevels> actual = ComputeLevels(c.low, c.high, c.direction);
            ++cases;
            kindOverflows += expected.levels ? 0 : 1;
            kindTies += expected.ties;
            wideWithoutFailure += expected.wideDifference && expected.levels ? 1 : 0;
            if (!SameBits(actual, expected.levels) && ++mismatches <= 10) {
                ADD_FAILURE() << kind.name << ": " << Reproduce(c) << "\n  core:      "
                              << Show(actual) << "\n  reference: " << Show(expected.levels);
            }
        }
        std::printf("%-24s %7ld cases, %7ld overflow verdicts, %7ld tied levels\n", kind.name,
                    kCasesPerKind, kindOverflows, kindTies);
        overflows += kindOverflows;
        ties += kindTies;
    }
    std::printf("%ld cases, %ld mismatches; %ld ranges beyond the largest double without failure\n",
                cases, mismatches, wideWithoutFailure);
    EXPECT_EQ(mismatches, 0);
    // The generators must really reach the regions they are aimed at.
    EXPECT_GE(cases, 1'000'000);
    EXPECT_GT(ties, cases / 20);
    EXPECT_GT(overflows, 1000);
    EXPECT_GT(wideWithoutFailure, 1000);
}

// Fixed cases from the worked examples, against the same reference.
TEST(MpfrReference, AgreesOnTheWorkedExamples)
{
    ReferenceLevel reference;
    const Case cases[] = {
        {15620, 15700, TrendDirection::Long}, {0, 250, TrendDirection::Long},
        {1, 251, TrendDirection::Short},      {-1e308, 1e308, TrendDirection::Long},
        {-1.7e308, 1.7e308, TrendDirection::Short}, {0, -1, TrendDirection::Long},
        {0x1p-1074, 0x1p-1073, TrendDirection::Long}, {-DBL_MAX, DBL_MAX, TrendDirection::Long},
    };
    for (const Case &c : cases) {
        const ReferenceVerdict expected = Reference(reference, c);
        EXPECT_TRUE(SameBits(ComputeLevels(c.low, c.high, c.direction), expected.levels))
            << Reproduce(c) << " reference: " << Show(expected.levels);
    }
}

}  // namespace
}  // namespace levelwise
