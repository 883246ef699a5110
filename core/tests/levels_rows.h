// The levels worked out by hand (or, where said, by the exact reference), shared by the unit
// test of the core and by the test of the exact reference itself.
#pragma once

#include "retracement.h"

#include <ostream>

namespace levelwise::test {

struct LevelsRow {
    const char *name;
    Price low;
    Price high;
    TrendDirection direction;
    double level382;
    double level500;
    double level618;
};

inline void PrintTo(const LevelsRow &row, std::ostream *out) { *out << row.name; }

inline constexpr auto Long = TrendDirection::Long;
inline constexpr auto Short = TrendDirection::Short;

inline const LevelsRow kLevelsRows[] = {
    // Defaults: x = 15669.44, 15660, 15650.56.
    {"DefaultsLong", 15620, 15700, Long, 15669, 15660, 15651},
    {"DefaultsShort", 15620, 15700, Short, 15651, 15660, 15669},
    // No relation between the prices is checked: a negative range runs the same formula.
    {"SwappedLong", 15700, 15620, Long, 15651, 15660, 15669},
    {"SwappedShort", 15700, 15620, Short, 15669, 15660, 15651},
    {"EqualPrices", 100, 100, Long, 100, 100, 100},
    // Exact ties go to the even whole number: 250 * 0.618 is exactly 154.5 in binary64,
    // 250 * 0.382 exactly 95.5.
    {"TieZeroTo250", 0, 250, Long, 154, 125, 96},
    {"TieOneTo251", 1, 251, Long, 156, 126, 96},
    {"TieOneTo251Short", 1, 251, Short, 96, 126, 156},
    {"MidpointOneAndAHalfUp", 1, 2, Long, 2, 2, 1},
    {"MidpointTwoAndAHalfDown", 2, 3, Long, 3, 2, 2},
    {"MidpointHalfDown", 0, 1, Long, 1, 0, 0},
    {"NegativeMidpointToEven", -3, -2, Long, -2, -2, -3},
    // -0.5 goes to the even zero and keeps its sign; the text shows "0".
    {"NegativeZero", 0, -1, Long, -1, -0.0, -0.0},
    // Fractional prices: 1.25 + 2.5 * 0.618 = 2.795, 2.5, 1.25 + 0.955 = 2.205.
    {"Fractional", 1.25, 3.75, Long, 3, 2, 2},
    // The range 2E+308 exceeds the largest double, yet every level fits; the values are
    // the exact reference's, 2.36E+307 to 15 digits.
    {"RangeBeyondLargestDouble", -1e308, 1e308, Long, 0x1.0cdc311e0a0b8p+1021, 0,
     -0x1.0cdc311e0a0b8p+1021},
    {"LargeWholeAboveTwoToThe52", 0x1p53, 0x1p53 + 1000, Long, 0x1p53 + 618, 0x1p53 + 500,
     0x1p53 + 382},
    // The smallest subnormals: 0.618 of one unit rounds to one unit, 2^-1073 rounds to 0.
    {"Subnormal", 0x1p-1074, 0x1p-1073, Long, 0, 0, 0}};

}  // namespace levelwise::test
