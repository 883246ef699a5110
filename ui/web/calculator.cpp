// The calculator as the web page calls it: the page writes the three field texts and the
// browser's number settings into buffers this module hands out, runs the calculate command,
// and reads back how the outcome is presented. UTF-16 throughout, as JavaScript strings are.
#include "form1.h"
#include "number_settings.h"
#include "retracement.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace levelwise;

enum Slot { kLow, kHigh, kDirection, kDecimalSeparator, kGroupSeparator, kGroupSample, kSlots };

std::array<std::u16string, kSlots> g_inputs;
std::u16string g_text;
std::array<double, 4> g_levels{};

}  // namespace

extern "C" {

// Room for `length` UTF-16 units of one input (0 low, 1 high, 2 direction, 3 decimal
// separator, 4 group separator, 5 the integer part of 1234567 as the browser's number format
// writes it), to be written by the caller before it calculates.
__attribute__((export_name("lw_input"))) char16_t *LwInput(int slot, int length)
{
    if (slot < 0 || slot >= kSlots || length < 0)
        return nullptr;
    g_inputs[std::size_t(slot)].assign(std::size_t(length), u'\0');
    return g_inputs[std::size_t(slot)].data();
}

// Runs the calculate command on the inputs; returns 0 for a plain message box and 1 for the
// error report, whose text lw_text and lw_text_length then give.
__attribute__((export_name("lw_calculate"))) int LwCalculate()
{
    NumberSettings settings;
    settings.decimalSeparator = g_inputs[kDecimalSeparator];
    settings.groupSeparator = g_inputs[kGroupSeparator];
    settings.groupSizes =
        form::GroupSizesFromSample(g_inputs[kGroupSample], g_inputs[kGroupSeparator]);
    const form::Presentation shown = form::Present(
        RunCalculation(g_inputs[kLow], g_inputs[kHigh], g_inputs[kDirection], settings));
    g_text = shown.text;
    return shown.kind == form::BoxKind::ErrorReport ? 1 : 0;
}

__attribute__((export_name("lw_text"))) const char16_t *LwText() { return g_text.data(); }
__attribute__((export_name("lw_text_length"))) int LwTextLength() { return int(g_text.size()); }

// The three levels of two prices as doubles, then 1 where they are set and 0 on an overflow:
// what the check of this module against the native core compares bit for bit.
__attribute__((export_name("lw_levels"))) const double *LwLevels(double low, double high,
                                                                 int isLong)
{
    const auto levels =
        ComputeLevels(low, high, isLong ? TrendDirection::Long : TrendDirection::Short);
    g_levels = {levels ? *levels->level382 : 0.0, levels ? *levels->level500 : 0.0,
                levels ? *levels->level618 : 0.0, levels ? 1.0 : 0.0};
    return g_levels.data();
}

}  // extern "C"
