// What the page's files and the page tests' data share: colours and numbers as CSS writes
// them, the touch screens' scale, and the field-and-label pairs.
#pragma once

#include "form1.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

namespace levelwise::web {

inline std::string Rgb(form::Rgb colour)
{
    return "rgb(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
           std::to_string(colour.blue) + ")";
}

inline std::string Num(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

// The text fields' padding either side: with their 1 px border, room for a price of the
// longest in the table's field.
inline constexpr int kFieldPaddingPx = 2;

// On a touch screen the fields' text must be 16 px at least (Safari zooms the page when a
// smaller field takes the focus) and the fields and the button 32 px tall: the window is
// scaled by the least quarter step that gives both.
inline double TouchScale()
{
    const double fieldTextPx = form::kDialogFontPoints * 4.0 / 3.0;
    int lowest = form::kClientSize.height;
    for (const form::ControlEntry &entry : form::kControls) {
        if (form::TakesFocus(entry.kind) && entry.bounds.height < lowest)
            lowest = entry.bounds.height;
    }
    const double needed = std::max(16.0 / fieldTextPx, 32.0 / lowest);
    return std::ceil(needed * 4.0) / 4.0;
}

// The price fields' text in the scaled window: as large as a price of the longest fits the
// field, digits taken at 0.64 em (DejaVu Sans', the widest of the fonts a browser may fall back
// to), and never below the 16 px a touch screen needs.
inline double ScaledFieldTextPx(double scale)
{
    const form::ControlEntry &field = *form::FindControl(form::kHintedFields.front());
    const double inner = field.bounds.width * scale - 2 * (1 + kFieldPaddingPx);
    const double fitting = std::floor(inner / (form::kPriceMaxLength * 0.64) * 4.0) / 4.0;
    return std::max(16.0, std::min(fitting, form::kDialogFontPoints * scale * 4.0 / 3.0));
}

inline // The field-and-label pair a control belongs to, as the field or as its label; null if none.
const form::FieldLabel *PairOf(std::string_view name)
{
    for (const form::FieldLabel &pair : form::kFieldLabels) {
        if (pair.field == name || pair.label == name)
            return &pair;
    }
    return nullptr;
}

}  // namespace levelwise::web
