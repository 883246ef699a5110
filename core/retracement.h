// Levelwise retracement core: from the three field texts to the text of the message.
// Plain C++ and the standard library; nothing here knows of a window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace levelwise {

using Price = double;

enum class TrendDirection { Long, Short, Unmatched };

// The three correction levels in report order; each unset or a whole-valued double.
struct RetracementLevels {
    std::optional<double> level382;
    std::optional<double> level500;
    std::optional<double> level618;

    friend bool operator==(const RetracementLevels &, const RetracementLevels &) = default;
};

enum class OutcomeKind { Report, MissingInput, ConversionError, Overflow };

// What one press of the calculate button comes to. The message text is set for
// Report and MissingInput and empty for the two failures.
struct CalculationOutcome {
    OutcomeKind kind;
    std::u16string message;
};

// The user's regional number settings, as far as reading prices needs them.
// An empty separator never matches.
struct NumberSettings {
    std::u16string decimalSeparator = u".";
    std::u16string groupSeparator = u",";
    // Digits per group of the integer part, counted from the decimal separator leftwards;
    // the last size repeats ({3}: 1,234,567; {3, 2}: 12,34,567). A last size of 0 ends
    // the grouping instead: {3, 0} reads 1234,567.
    std::vector<unsigned> groupSizes = {3};
};

// Why a price text did not become a price.
enum class PriceFailure { ConversionError, Overflow };

struct ParsedPrice {
    Price value = 0.0;
    std::optional<PriceFailure> failure;  // unset when value holds the price
};

inline constexpr double kMultiplier382 = 0.382;
inline constexpr double kMultiplier500 = 0.5;
inline constexpr double kMultiplier618 = 0.618;

inline constexpr std::u16string_view kMissingInputText = u"Az összes mező kitöltése kötelező";
inline constexpr std::u16string_view kLabel382 = u"38.2%-os korrekciós szint: ";
inline constexpr std::u16string_view kLabel500 = u"50.0%-os korrekciós szint: ";
inline constexpr std::u16string_view kLabel618 = u"61.8%-os korrekciós szint: ";
inline constexpr char16_t kLineSeparator = u'\r';

// One level: Low + (High - Low) * k, rounded to a whole number with ties to even.
// Unset when the product or the sum overflows the double range.
std::optional<double> LevelValue(Price low, Price high, double k);

// The three levels for a direction; all unset for Unmatched. Unset as a whole
// (std::nullopt) on an arithmetic overflow, which discards any level already computed.
std::optional<RetracementLevels> ComputeLevels(Price low, Price high, TrendDirection direction);

// Exact, case-sensitive comparison with "Long" and "Short".
TrendDirection ParseDirection(std::u16string_view text);

// Optional spaces, an optional sign, digits, an optional decimal separator with digits, an
// optional exponent, optional spaces. Group separators may stand in the integer part only
// where the settings' group sizes put them, so that a mistyped decimal mark ("15620,5" under
// English settings) is refused instead of read as another price. Exact for texts of any
// length: beyond the double range is Overflow, below half the smallest subnormal is zero.
ParsedPrice ParsePrice(std::u16string_view text, const NumberSettings &settings = {});

// The text form of one level: whole digits below 1E+15, at most 15 significant digits in
// exponent form above, each rounded half to even on the exact value; "0" for whatever rounds
// to zero, negative or not.
std::u16string LevelText(double level, const NumberSettings &settings = {});

std::u16string FormatReport(const RetracementLevels &levels, const NumberSettings &settings = {});

// The whole calculate command.
CalculationOutcome RunCalculation(std::u16string_view lowText, std::u16string_view highText,
                                  std::u16string_view directionText,
                                  const NumberSettings &settings = {});

}  // namespace levelwise
