// The calculate command: reading prices, writing levels, and the outcome of a click.
#include "retracement.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace levelwise {
namespace {

using test::Bits;
using test::Describe;
using test::Utf8;

const NumberSettings kEnglish{u".", u","};
const NumberSettings kGerman{u",", u"."};
const NumberSettings kHungarian{u",", u"\u00A0"};
const NumberSettings kFrench{u",", u"\u202F"};
const NumberSettings kIndian{u".", u",", {3, 2}};
const NumberSettings kOneGroupOnly{u".", u",", {3, 0}};

// ---- Direction ----------------------------------------------------------------------

struct DirectionRow {
    const char *name;
    std::u16string text;
    TrendDirection expected;
};

void PrintTo(const DirectionRow &row, std::ostream *out) { *out << row.name; }

class DirectionTable : public ::testing::TestWithParam<DirectionRow> {};

TEST_P(DirectionTable, ComparesTheWholeTextExactly)
{
    EXPECT_EQ(ParseDirection(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Core, DirectionTable,
    ::testing::Values(DirectionRow{"Long", u"Long", TrendDirection::Long},
                      DirectionRow{"Short", u"Short", TrendDirection::Short},
                      DirectionRow{"LowerCase", u"long", TrendDirection::Unmatched},
                      DirectionRow{"UpperCase", u"LONG", TrendDirection::Unmatched},
                      DirectionRow{"LeadingSpace", u" Long", TrendDirection::Unmatched},
                      DirectionRow{"TrailingSpace", u"Short ", TrendDirection::Unmatched},
                      DirectionRow{"Prefix", u"Lon", TrendDirection::Unmatched},
                      DirectionRow{"EmbeddedNul", std::u16string(u"Long\0", 5),
                                   TrendDirection::Unmatched},
                      DirectionRow{"Empty", u"", TrendDirection::Unmatched}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- Reading prices -----------------------------------------------------------------

struct PriceRow {
    const char *name;
    std::u16string text;
    NumberSettings settings;
    std::optional<double> value;  // unset: the failure below
    PriceFailure failure = PriceFailure::ConversionError;
};

// A failing row is named by its name, not dumped byte by byte (some texts are megabytes).
void PrintTo(const PriceRow &row, std::ostream *out) { *out << row.name; }

class PriceTable : public ::testing::TestWithParam<PriceRow> {};

TEST_P(PriceTable, ReadsThePriceOrNamesTheFailure)
{
    const PriceRow &row = GetParam();
    const ParsedPrice parsed = ParsePrice(row.text, row.settings);
    if (row.value) {
        ASSERT_FALSE(parsed.failure.has_value()) << Utf8(row.text);
        EXPECT_EQ(Bits(parsed.value), Bits(*row.value)) << Describe(parsed.value);
    } else {
        ASSERT_TRUE(parsed.failure.has_value()) << "read as " << Describe(parsed.value);
        EXPECT_EQ(*parsed.failure, row.failure);
    }
}

PriceRow Reads(const char *name, std::u16string text, NumberSettings settings, double value)
{
    return {name, std::move(text), std::move(settings), value};
}

// Long texts are generated here rather than written out: a million digits in each.
constexpr std::size_t kMillion = 1'000'000;
const std::u16string kMillionZeros(kMillion, u'0');
const std::u16string kMillionNines(kMillion, u'9');

PriceRow Rejects(const char *name, std::u16string text, NumberSettings settings,
                 PriceFailure failure = PriceFailure::ConversionError)
{
    return {name, std::move(text), std::move(settings), std::nullopt, failure};
}

INSTANTIATE_TEST_SUITE_P(
    Core, PriceTable,
    ::testing::Values(
        // Plain whole numbers, signs and surrounding spaces.
        Reads("Whole", u"15620", kEnglish, 15620), Reads("Spaces", u"  15620\t ", kEnglish, 15620),
        Reads("Plus", u"+15620", kEnglish, 15620), Reads("Minus", u"-15620", kEnglish, -15620),
        Reads("MinusZero", u"-0", kEnglish, -0.0), Reads("LeadingZeros", u"007", kEnglish, 7),
        // Decimal and group separators of each number setting.
        Reads("EnglishGroups", u"1,234,567.5", kEnglish, 1234567.5),
        Reads("EnglishTrailingPoint", u"12.", kEnglish, 12),
        Reads("EnglishLeadingPoint", u".5", kEnglish, 0.5),
        Reads("GermanGroups", u"15.620,25", kGerman, 15620.25),
        Reads("GermanDecimal", u"15,5", kGerman, 15.5),
        Reads("HungarianNoBreakSpace", u"15\u00A0620,5", kHungarian, 15620.5),
        Reads("HungarianTypedSpace", u"15 620", kHungarian, 15620),
        Reads("FrenchNarrowNoBreakSpace", u"15\u202F620", kFrench, 15620),
        Reads("ThinSpaceGroupsTypedAsSpace", u"15 620,5", NumberSettings{u",", u"\u2009"}, 15620.5),
        Reads("SwissGroupsTypedAsApostrophe", u"1'015'620.5", NumberSettings{u".", u"\u2019"},
              1015620.5),
        // Any space for a space separator, either apostrophe for an apostrophe; no other.
        Reads("FrenchNoBreakSpace", u"15\u00A0620", kFrench, 15620),
        Reads("HungarianNarrowAndThinSpaces", u"1\u202F234\u2009567", kHungarian, 1234567),
        Reads("NoBreakSpaceForOrdinarySpace", u"15\u00A0620", NumberSettings{u".", u" "}, 15620),
        Reads("SwissTypographicApostrophe", u"15\u2019620.5", NumberSettings{u".", u"'"}, 15620.5),
        Rejects("ApostropheForSpace", u"15'620", kFrench),
        Rejects("NoBreakSpaceForComma", u"15\u00A0620", kEnglish),
        // Exponent forms, the edges of the double range, and underflow to zero.
        Reads("ExponentCapital", u"1E+308", kEnglish, 1e308),
        Reads("ExponentSmall", u"1e5", kEnglish, 1e5),
        Reads("ExponentNegative", u"25E-1", kEnglish, 2.5),
        Reads("ExponentAfterComma", u"1,5E3", kGerman, 1500),
        Reads("LargestDouble", u"1.7976931348623157E+308", kEnglish, DBL_MAX),
        Reads("SmallestSubnormal", u"4.9E-324", kEnglish, 0x1p-1074),
        Reads("UnderflowToZero", u"1E-400", kEnglish, 0.0),
        Reads("UnderflowToMinusZero", u"-1E-400", kEnglish, -0.0),
        Reads("LongFractionUnderflow", u"0." + std::u16string(400, u'0') + u"1", kEnglish, 0.0),
        Reads("CorrectlyRounded", u"0.1", kEnglish, 0.1),
        Rejects("BeyondTheRange", u"2E+308", kEnglish, PriceFailure::Overflow),
        Rejects("BeyondTheRangeNegative", u"-1.8E308", kEnglish, PriceFailure::Overflow),
        Rejects("HugeExponent", u"1E99999999999999999999", kEnglish, PriceFailure::Overflow),
        Rejects("FourHundredDigits", std::u16string(400, u'9'), kEnglish, PriceFailure::Overflow),
        // Not numbers.
        Rejects("Letters", u"abc", kEnglish), Rejects("Empty", u"", kEnglish),
        Rejects("OneSpace", u" ", kEnglish), Rejects("LoneMinus", u"-", kEnglish),
        Rejects("LonePoint", u".", kEnglish), Rejects("TwoPoints", u"1.2.3", kEnglish),
        Rejects("TwoSigns", u"+-1", kEnglish), Rejects("GroupAtStart", u",15620", kEnglish),
        Rejects("GroupAtEnd", u"15620,", kEnglish), Rejects("DoubleGroup", u"15,,620", kEnglish),
        Rejects("GroupInFraction", u"1.234,5", kEnglish),
        Rejects("SpaceInside", u"15 620", kEnglish), Rejects("TrailingText", u"15620 Ft", kEnglish),
        Rejects("BareExponent", u"1e", kEnglish), Rejects("ExponentSignOnly", u"1e+", kEnglish),
        Rejects("ExponentOnly", u"e5", kEnglish), Rejects("Hex", u"0x10", kEnglish),
        Rejects("Infinity", u"inf", kEnglish), Rejects("NotANumber", u"nan", kEnglish),
        Rejects("PointUnderComma", u"15620.5", kHungarian),
        Rejects("ArabicIndicDigits", u"\u0661\u0662", kEnglish),
        Rejects("FullwidthDigits", u"\uFF11\uFF12", kEnglish),
        // Group separators only where the settings' grouping puts them, so that a mistyped
        // decimal mark is refused rather than read as another price.
        Reads("EnglishOneGroup", u"15,620", kEnglish, 15620),
        Reads("EnglishShortFirstGroup", u"1,000", kEnglish, 1000),
        Reads("EnglishGroupsWithFraction", u"1,234,567.25", kEnglish, 1234567.25),
        Reads("EnglishUngroupedLong", u"1234567", kEnglish, 1234567),
        Rejects("EnglishDecimalComma", u"15620,5", kEnglish),
        Rejects("EnglishShortLastGroup", u"15,62", kEnglish),
        Rejects("EnglishOneDigitGroups", u"1,2,3", kEnglish),
        Rejects("EnglishTwoDigitGroups", u"12,34,5", kEnglish),
        Rejects("EnglishLongFirstGroup", u"1234,567", kEnglish),
        Rejects("EnglishLongLastGroup", u"15,6200", kEnglish),
        Rejects("EnglishCommaBeforeExponent", u"1,5E+3", kEnglish),
        Reads("GermanOneGroup", u"15.620", kGerman, 15620),
        Reads("GermanGroupsAndDecimal", u"1.234.567,5", kGerman, 1234567.5),
        Rejects("GermanDecimalPoint", u"15.62", kGerman),
        Rejects("GermanPointBeforeExponent", u"1.5E3", kGerman),
        Reads("HungarianDecimalComma", u"15620,5", kHungarian, 15620.5),
        Reads("HungarianTwoGroups", u"1\u00A0234\u00A0567", kHungarian, 1234567),
        Rejects("HungarianShortGroup", u"15 62", kHungarian),
        Rejects("HungarianOneDigitGroups", u"1 2 3", kHungarian),
        Reads("FrenchGroupsAndDecimal", u"1\u202F234\u202F567,5", kFrench, 1234567.5),
        Rejects("FrenchShortGroup", u"15\u202F62", kFrench),
        Reads("IndianLakh", u"1,00,000", kIndian, 100000),
        Reads("IndianCrore", u"12,34,56,789.5", kIndian, 123456789.5),
        Rejects("IndianWithWesternGroups", u"1,234,567", kIndian),
        Rejects("IndianLongFirstGroup", u"123,45,678", kIndian),
        Rejects("IndianShortLastGroup", u"12,34,5", kIndian),
        Reads("OneGroupOnly", u"1234,567", kOneGroupOnly, 1234567),
        Rejects("OneGroupOnlyTwoSeparators", u"1,234,567", kOneGroupOnly),
        // Exact verdicts for texts of any length: no digit or exponent count may saturate.
        Reads("MillionZerosThenExponentBack", u"0." + kMillionZeros + u"1E+1000001", kEnglish, 1),
        Reads("MillionDigitsThenExponentDown", u"1" + kMillionZeros + u"E-1000000", kEnglish, 1),
        Reads("MillionZerosBelowLargestDouble", u"1.7976931348623158" + kMillionZeros + u"E+308",
              kEnglish, DBL_MAX),
        Rejects("MillionZerosAboveLargestDouble",
                u"1.797693134862315808" + kMillionZeros + u"E+308", kEnglish,
                PriceFailure::Overflow),
        Reads("ShiftedBelowLargestDouble", u"0." + kMillionZeros + u"17976931348623158E+1000309",
              kEnglish, DBL_MAX),
        Rejects("ShiftedAboveLargestDouble", u"0." + kMillionZeros + u"1E+1000310", kEnglish,
                PriceFailure::Overflow),
        Rejects("MillionNines", kMillionNines, kEnglish, PriceFailure::Overflow),
        Rejects("MillionDigitExponent", u"1E+" + kMillionNines, kEnglish, PriceFailure::Overflow),
        Reads("MillionDigitNegativeExponent", u"-1E-" + kMillionNines, kEnglish, -0.0),
        Reads("AboveHalfTheSmallestSubnormal", u"2.4" + kMillionNines + u"E-324", kEnglish,
              0x1p-1074),
        Reads("BelowHalfTheSmallestSubnormal", u"2.47" + kMillionZeros + u"1E-324", kEnglish, 0.0),
        Rejects("HugeExponentAgainstMillionZeros",
                u"0." + kMillionZeros + u"1E+99999999999999999999", kEnglish,
                PriceFailure::Overflow),
        Reads("TinyExponentAgainstMillionDigits", u"1" + kMillionZeros + u"E-99999999999999999999",
              kEnglish, 0.0)),
    [](const auto &info) { return std::string(info.param.name); });

// ---- Writing levels -----------------------------------------------------------------

struct LevelTextRow {
    const char *name;
    double level;
    NumberSettings settings;
    std::u16string expected;
};

void PrintTo(const LevelTextRow &row, std::ostream *out) { *out << row.name; }

class LevelTextTable : public ::testing::TestWithParam<LevelTextRow> {};

TEST_P(LevelTextTable, WritesTheDefaultTextForm)
{
    EXPECT_EQ(Utf8(LevelText(GetParam().level, GetParam().settings)), Utf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Core, LevelTextTable,
    ::testing::Values(LevelTextRow{"Whole", 15669, kEnglish, u"15669"},
                      LevelTextRow{"NoGrouping", 1234567, kGerman, u"1234567"},
                      LevelTextRow{"Negative", -15669, kEnglish, u"-15669"},
                      LevelTextRow{"Zero", 0.0, kEnglish, u"0"},
                      LevelTextRow{"NegativeZero", -0.0, kEnglish, u"0"},
                      LevelTextRow{"LargestPlain", 999999999999999.0, kEnglish, u"999999999999999"},
                      LevelTextRow{"TenToTheFifteen", 1e15, kEnglish, u"1E+15"},
                      LevelTextRow{"FifteenDigits", 1234567890123456.0, kEnglish,
                                   u"1.23456789012346E+15"},
                      LevelTextRow{"RoundsUpToNextPower", 9999999999999999.0, kEnglish, u"1E+16"},
                      LevelTextRow{"Huge", 2.36e307, kEnglish, u"2.36E+307"},
                      LevelTextRow{"HugeNegative", -1.5e20, kEnglish, u"-1.5E+20"},
                      LevelTextRow{"CommaSeparator", 1.5e20, kHungarian, u"1,5E+20"},
                      LevelTextRow{"RoundsToZeroFromBelow", -0.3, kEnglish, u"0"},
                      LevelTextRow{"HalfRoundsToEven", -2.5, kEnglish, u"-2"},
                      LevelTextRow{"Infinite", -HUGE_VAL, kEnglish, u"-inf"}),
    [](const auto &info) { return std::string(info.param.name); });

// The C++ library's correctly rounded printing, which the level text must match digit for
// digit: no decimals below 1E+15, 15 significant digits above without trailing zeros.
std::string LibraryText(double level)
{
    char buffer[400];
    const bool plain = std::fabs(level) < 1e15;
    const auto format = plain ? std::chars_format::fixed : std::chars_format::scientific;
    const std::string text(
        buffer, std::to_chars(buffer, std::end(buffer), level, format, plain ? 0 : 14).ptr);
    if (plain)
        return text == "-0" ? "0" : text;
    const std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, e);
    mantissa.erase(mantissa.find_last_not_of('0') + 1);
    if (mantissa.back() == '.')
        mantissa.pop_back();
    return mantissa + "E" + text.substr(e + 1);
}

// Levels whose printing is easy to get wrong: ties at the last kept digit in both forms,
// carries into a new digit, fractions, and the edges of the range.
std::vector<double> HardLevels()
{
    // clang-format off
    std::vector<double> levels{0.5, 1.5, 2.5, 0.49999999999999994, 999999999999999.5,
                               999999999999999.4, 1234567890123445.0, 1234567890123455.0,
                               12345678901234450.0, 12345678901234550.0, 999999999999999.9,
                               99999999999999950.0, 99999999999999940.0, 1e15, 1e22, 1e23,
                               DBL_MAX, DBL_MIN, DBL_TRUE_MIN, 4503599627370495.5};
    // clang-format on
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 20'000; ++i) {
        // Whole numbers of every length, and the same ending in 5: a tie where a form cuts it.
        const std::uint64_t whole = random() >> (random() % 64);
        levels.push_back(double(whole));
        levels.push_back(double(whole / 10 * 10 + 5));
        levels.push_back(std::ldexp(double(whole | 1), int(random() % 1000)));
        levels.push_back(std::ldexp(double(whole | 1), -int(random() % 60)));
        // Any bits at all, from subnormals to the largest double.
        levels.push_back(std::bit_cast<double>(random()));
    }
    return levels;
}

TEST(LevelTextExact, AgreesWithTheLibraryOnEveryKindOfLevel)
{
    int mismatches = 0;
    for (const double magnitude : HardLevels()) {
        for (const double level : {magnitude, -magnitude}) {
            if (!std::isfinite(level))
                continue;
            const std::string text = Utf8(LevelText(level));
            if (text != LibraryText(level) && ++mismatches <= 10)
                ADD_FAILURE() << Describe(level) << ": " << text << ", the library "
                              << LibraryText(level);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// ---- The whole command --------------------------------------------------------------

struct CommandRow {
    const char *name;
    std::u16string low;
    std::u16string high;
    std::u16string direction;
    OutcomeKind kind;
    std::u16string message;
    NumberSettings settings = kEnglish;
};

void PrintTo(const CommandRow &row, std::ostream *out) { *out << row.name; }

// A row whose click reports the three levels given, their texts as they are written.
CommandRow Reports(const char *name, std::u16string low, std::u16string high,
                   std::u16string direction, std::u16string_view a, std::u16string_view b,
                   std::u16string_view c, NumberSettings settings = kEnglish)
{
    std::u16string text = u"38.2%-os korrekciós szint: ";
    text.append(a).append(u"\r50.0%-os korrekciós szint: ").append(b);
    text.append(u"\r61.8%-os korrekciós szint: ").append(c);
    return {name, low, high, direction, OutcomeKind::Report, text, settings};
}

class CommandTable : public ::testing::TestWithParam<CommandRow> {};

TEST_P(CommandTable, GivesTheOutcomeOfOneClick)
{
    const CommandRow &row = GetParam();
    const CalculationOutcome outcome =
        RunCalculation(row.low, row.high, row.direction, row.settings);
    EXPECT_EQ(outcome.kind, row.kind);
    EXPECT_EQ(Utf8(outcome.message), Utf8(row.message));
}

const std::u16string kMissing = u"Az összes mező kitöltése kötelező";
constexpr auto Missing = OutcomeKind::MissingInput;
constexpr auto Mismatch = OutcomeKind::ConversionError;
constexpr auto Overflow = OutcomeKind::Overflow;

INSTANTIATE_TEST_SUITE_P(
    Core, CommandTable,
    // clang-format off
    ::testing::Values(
        // Reports.
        Reports("Defaults", u"15620", u"15700", u"Long", u"15669", u"15660", u"15651"),
        Reports("Short", u"15620", u"15700", u"Short", u"15651", u"15660", u"15669"),
        Reports("LowestAboveHighest", u"15700", u"15620", u"Long", u"15651", u"15660", u"15669"),
        Reports("RangeBeyondLargestDouble", u"-1E+308", u"1E+308", u"Long",
                u"2.36E+307", u"0", u"-2.36E+307"),
        Reports("NegativeZeroReadsAsZero", u"0", u"-1", u"Long", u"-1", u"0", u"0"),
        // Empty fields, whatever the others hold; spaces are not empty.
        CommandRow{"LowEmpty", u"", u"15700", u"Long", Missing, kMissing},
        CommandRow{"HighEmpty", u"15620", u"", u"Long", Missing, kMissing},
        CommandRow{"DirectionEmpty", u"abc", u"1E+999", u"", Missing, kMissing},
        CommandRow{"AllEmpty", u"", u"", u"", Missing, kMissing},
        // An unmatched direction converts nothing.
        Reports("LowerCaseDirection", u"15620", u"15700", u"long", u"", u"", u""),
        Reports("LettersWithUnmatched", u"abc", u"xyz", u"Long ", u"", u"", u""),
        Reports("OverflowTextWithUnmatched", u"1E+999", u"1E+999", u"LONG", u"", u"", u""),
        // Failures carry no message.
        CommandRow{"LettersInLow", u"abc", u"15700", u"Long", Mismatch, u""},
        CommandRow{"LetterInHigh", u"15620", u"15700x", u"Short", Mismatch, u""},
        CommandRow{"SpaceAsLow", u" ", u"15700", u"Long", Mismatch, u""},
        CommandRow{"PriceBeyondRange", u"15620", u"1E+309", u"Long", Overflow, u""},
        CommandRow{"ProductOverflows", u"-1.7E+308", u"1.7E+308", u"Short", Overflow, u""},
        // The highest price is read first: its failure is the one reported.
        CommandRow{"HighOverflowBeforeLowMismatch", u"abc", u"1E+999", u"Long", Overflow, u""},
        CommandRow{"HighMismatchBeforeLowOverflow", u"1E+999", u"abc", u"Long", Mismatch, u""},
        // The number settings given: under English ones 15.620 is a fraction, and 15.62 + 0.08 *
        // 0.618 = 15.66944.
        Reports("GermanGroups", u"15.620", u"15.700", u"Long", u"15669", u"15660", u"15651",
                kGerman),
        Reports("EnglishFraction", u"15.620", u"15.700", u"Long", u"16", u"16", u"16"),
        Reports("HungarianGroups", u"15\u00A0620", u"15 700", u"Short",
                u"15651", u"15660", u"15669", kHungarian)),
    // clang-format on
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace levelwise
