// The calculate command: the three field texts in, the outcome of one click out.
#include "retracement.h"

namespace levelwise {
namespace {

CalculationOutcome FailureOutcome(PriceFailure failure)
{
    return {failure == PriceFailure::Overflow ? OutcomeKind::Overflow
                                              : OutcomeKind::ConversionError,
            {}};
}

}  // namespace

TrendDirection ParseDirection(std::u16string_view text)
{
    if (text == u"Long")
        return TrendDirection::Long;
    if (text == u"Short")
        return TrendDirection::Short;
    return TrendDirection::Unmatched;
}

std::u16string FormatReport(const RetracementLevels &levels, const NumberSettings &settings)
{
    const auto text = [&](const std::optional<double> &level) {
        return level ? LevelText(*level, settings) : std::u16string();
    };
    std::u16string report;
    report += kLabel382;
    report += text(levels.level382);
    report += kLineSeparator;
    report += kLabel500;
    report += text(levels.level500);
    report += kLineSeparator;
    report += kLabel618;
    report += text(levels.level618);
    return report;
}

CalculationOutcome RunCalculation(std::u16string_view lowText, std::u16string_view highText,
                                  std::u16string_view directionText, const NumberSettings &settings)
{
    if (lowText.empty() || highText.empty() || directionText.empty())
        return {OutcomeKind::MissingInput, std::u16string(kMissingInputText)};

    const TrendDirection direction = ParseDirection(directionText);
    RetracementLevels levels;
    if (direction != TrendDirection::Unmatched) {
        // The highest price is read first, so its failure is the one reported.
        const ParsedPrice high = ParsePrice(highText, settings);
        if (high.failure)
            return FailureOutcome(*high.failure);
        const ParsedPrice low = ParsePrice(lowText, settings);
        if (low.failure)
            return FailureOutcome(*low.failure);
        const std::optional<RetracementLevels> computed =
            ComputeLevels(low.value, high.value, direction);
        if (!computed)
            return {OutcomeKind::Overflow, {}};
        levels = *computed;
    }
    return {OutcomeKind::Report, FormatReport(levels, settings)};
}

}  // namespace levelwise
