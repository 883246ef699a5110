// libFuzzer target: the whole calculate command on arbitrary texts and number settings.
// The input is UTF-16LE code units; U+FFFF separates the fields low, high, direction,
// decimal separator, group separator and group sizes (one code unit each, taken mod 5).
// Fields left out keep their defaults.
#include "retracement.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail() { __builtin_trap(); }

bool StartsWith(const std::u16string &text, std::u16string_view prefix)
{
    return std::u16string_view(text).substr(0, prefix.size()) == prefix;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace levelwise;
    std::u16string fields[6];
    NumberSettings defaults;
    fields[3] = defaults.decimalSeparator;
    fields[4] = defaults.groupSeparator;
    fields[5] = u"\u0003";
    std::size_t field = 0;
    bool replaced[6] = {};
    for (std::size_t i = 0; i + 1 < size && field < 6; i += 2) {
        const char16_t unit = char16_t(data[i] | data[i + 1] << 8);
        if (unit == u'\uFFFF') {
            ++field;
            continue;
        }
        if (!replaced[field]) {
            fields[field].clear();
            replaced[field] = true;
        }
        fields[field] += unit;
    }
    std::vector<unsigned> groupSizes;
    for (const char16_t unit : fields[5])
        groupSizes.push_back(unit % 5u);
    const NumberSettings settings{fields[3], fields[4], groupSizes};
    const CalculationOutcome outcome = RunCalculation(fields[0], fields[1], fields[2], settings);

    // What must hold for every input, whatever it is.
    const bool anyEmpty = fields[0].empty() || fields[1].empty() || fields[2].empty();
    if (anyEmpty != (outcome.kind == OutcomeKind::MissingInput))
        Fail();
    switch (outcome.kind) {
    case OutcomeKind::Report:
        if (!StartsWith(outcome.message, kLabel382))
            Fail();
        if (ParseDirection(fields[2]) == TrendDirection::Unmatched &&
            outcome.message != FormatReport(RetracementLevels{}, settings))
            Fail();
        break;
    case OutcomeKind::MissingInput:
        if (outcome.message != kMissingInputText)
            Fail();
        break;
    case OutcomeKind::ConversionError:
    case OutcomeKind::Overflow:
        if (!outcome.message.empty() || ParseDirection(fields[2]) == TrendDirection::Unmatched)
            Fail();
        break;
    }
    return 0;
}
