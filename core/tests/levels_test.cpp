// The arithmetic of the levels, against values worked out by hand.
#include "levels_rows.h"
#include "retracement.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>

namespace levelwise {
namespace {

using test::Bits;
using test::Describe;
using test::kLevelsRows;
using test::LevelsRow;
using test::Long;
using test::Short;

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

INSTANTIATE_TEST_SUITE_P(Core, LevelsTable, ::testing::ValuesIn(kLevelsRows),
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
    EXPECT_FALSE(ComputeLevels(-DBL_MAX, DBL_MAX, Long).has_value());
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
