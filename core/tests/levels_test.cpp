// The arithmetic of the levels, against values worked out by hand.
#include "retracement.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>

namespace levelwise {
namespace {

using test::Bits;
using test::Describe;

struct LevelsRow {
    const char *name;
    Price low;
    Price high;
    TrendDirection direction;
    double level382;
    double level500;
    double level618;
};

class LevelsTable : public ::testing::TestWithParam<LevelsRow> {};

TEST_P(LevelsTable, GivesTheLevelsBitForBit)
{
    const LevelsRow &row = GetParam();
    const std::optional<RetracementLevels> levels = ComputeLevels(row.low, row.high, row.direction);
    ASSERT_TRUE(levels.has_value());
    // Bit comparison also tells -0 from 0 and fails on NaN.
    EXPECT_EQ(Bits(*levels->level382), Bits(row.level382)) << Describe(levels->level382);
    EXPECT_EQ(Bits(*levels->level500), Bits(row.level500)) << Describe(levels->level500);
    EXPECT_EQ(Bits(*levels->level618), Bits(row.level618)) << Describe(levels->level618);
}

constexpr auto Long = TrendDirection::Long;
constexpr auto Short = TrendDirection::Short;

INSTANTIATE_TEST_SUITE_P(
    Core, LevelsTable,
    ::testing::Values(
        // Defaults: x = 15669.44, 15660, 15650.56.
        LevelsRow{"DefaultsLong", 15620, 15700, Long, 15669, 15660, 15651},
        LevelsRow{"DefaultsShort", 15620, 15700, Short, 15651, 15660, 15669},
        // No relation between the prices is checked: a negative range runs the same formula.
        LevelsRow{"SwappedLong", 15700, 15620, Long, 15651, 15660, 15669},
        LevelsRow{"SwappedShort", 15700, 15620, Short, 15669, 15660, 15651},
        LevelsRow{"EqualPrices", 100, 100, Long, 100, 100, 100},
        // Exact ties go to the even whole number: 250 * 0.618 is exactly 154.5 in binary64,
        // 250 * 0.382 exactly 95.5.
        LevelsRow{"TieZeroTo250", 0, 250, Long, 154, 125, 96},
        LevelsRow{"TieOneTo251", 1, 251, Long, 156, 126, 96},
        LevelsRow{"TieOneTo251Short", 1, 251, Short, 96, 126, 156},
        LevelsRow{"MidpointOneAndAHalfUp", 1, 2, Long, 2, 2, 1},
        LevelsRow{"MidpointTwoAndAHalfDown", 2, 3, Long, 3, 2, 2},
        LevelsRow{"MidpointHalfDown", 0, 1, Long, 1, 0, 0},
        LevelsRow{"NegativeMidpointToEven", -3, -2, Long, -2, -2, -3},
        // -0.5 goes to the even zero and keeps its sign; the text shows "0".
        LevelsRow{"NegativeZero", 0, -1, Long, -1, -0.0, -0.0},
        // Fractional prices: 1.25 + 2.5 * 0.618 = 2.795, 2.5, 1.25 + 0.955 = 2.205.
        LevelsRow{"Fractional", 1.25, 3.75, Long, 3, 2, 2},
        // The range 2E+308 exceeds the largest double, yet every level fits; the values are
        // the exact reference's, 2.36E+307 to 15 digits.
        LevelsRow{"RangeBeyondLargestDouble", -1e308, 1e308, Long, 0x1.0cdc311e0a0b8p+1021, 0,
                  -0x1.0cdc311e0a0b8p+1021},
        LevelsRow{"LargeWholeAboveTwoToThe52", 0x1p53, 0x1p53 + 1000, Long, 0x1p53 + 618,
                  0x1p53 + 500, 0x1p53 + 382}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ComputeLevels, UnmatchedLeavesEveryLevelUnset)
{
    for (const Price extreme : {0.0, 1.7e308, -DBL_MAX}) {
        const auto levels = ComputeLevels(-extreme, extreme, TrendDirection::Unmatched);
        ASSERT_TRUE(levels.has_value());
        EXPECT_EQ(*levels, RetracementLevels{});
    }
}

// The product for k = 0.618 exceeds the largest double; nothing of the calculation survives.
TEST(ComputeLevels, OverflowOfTheProductFailsTheWholeCalculation)
{
    EXPECT_FALSE(ComputeLevels(-1.7e308, 1.7e308, Long).has_value());
    EXPECT_FALSE(ComputeLevels(-1.7e308, 1.7e308, Short).has_value());
    EXPECT_FALSE(LevelValue(-1.7e308, 1.7e308, 0.618).has_value());
    EXPECT_FALSE(LevelValue(1.7e308, -1.7e308, 0.618).has_value());
}

TEST(ComputeLevels, GivesTheSameBitsWhateverRoundingModeTheCallerLeft)
{
    const auto nearest = ComputeLevels(15620, 15700, Long);
    for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        ASSERT_EQ(std::fesetround(mode), 0);
        const auto levels = ComputeLevels(15620, 15700, Long);
        const auto tie = LevelValue(0, 250, 0.618);
        const int after = std::fegetround();
        std::fesetround(FE_TONEAREST);
        EXPECT_EQ(levels, nearest) << "mode " << mode;
        EXPECT_EQ(tie, 154.0) << "mode " << mode;
        EXPECT_EQ(after, mode) << "the caller's mode must be restored";
    }
}

}  // namespace
}  // namespace levelwise
