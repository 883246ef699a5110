#include "form1.h"

#include <algorithm>
#include <cstring>

namespace levelwise::form {

std::array<const ControlEntry *, kFocusableCount> TabOrder()
{
    std::array<const ControlEntry *, kFocusableCount> order{};
    std::size_t count = 0;
    for (const ControlEntry &control : kControls) {
        if (TakesFocus(control.kind))
            order[count++] = &control;
    }
    std::stable_sort(order.begin(), order.end(), [](const ControlEntry *a, const ControlEntry *b) {
        return a->tabIndex < b->tabIndex;
    });
    return order;
}

const ControlEntry *LabelOf(const ControlEntry &field)
{
    for (const FieldLabel &pair : kFieldLabels) {
        if (pair.field == field.name)
            return FindControl(pair.label);
    }
    return nullptr;
}

bool Hinted(std::string_view field)
{
    return std::find(kHintedFields.begin(), kHintedFields.end(), field) != kHintedFields.end();
}

std::u16string Hint()
{
    std::u16string hint;
    for (const std::string_view label : kHintLabels) {
        if (!hint.empty())
            hint += u' ';
        hint += FindControl(label)->text;
    }
    return hint;
}

std::array<const ControlEntry *, kControls.size()> CreationOrder()
{
    std::array<const ControlEntry *, kControls.size()> order{};
    std::size_t count = 0;
    for (const ControlEntry *control : TabOrder()) {
        if (const ControlEntry *label = LabelOf(*control))
            order[count++] = label;
        order[count++] = control;
    }
    for (const ControlEntry &control : kControls) {
        if (std::find(order.begin(), order.begin() + count, &control) == order.begin() + count)
            order[count++] = &control;
    }
    return order;
}

namespace {

// The hue of a shade: how far each channel stands from the face's brightest toward its
// dimmest, 0 to 1 (0 for all three where the face is grey).
struct Hue {
    double red, green, blue;
};

Rgb FromValueAndSaturation(Hue hue, int value, int saturation)
{
    const auto channel = [&](double toward) {
        return std::uint8_t(value - value * saturation * toward / 255.0 + 0.5);
    };
    return {channel(hue.red), channel(hue.green), channel(hue.blue)};
}

}  // namespace

Shades BevelShades(Rgb face)
{
    const int high = std::max({face.red, face.green, face.blue});
    const int low = std::min({face.red, face.green, face.blue});
    if (high == 0)
        return {face, face};
    const int saturation = (high - low) * 255 / high;
    const auto toward = [&](int c) { return high == low ? 0.0 : double(high - c) / (high - low); };
    const Hue hue{toward(face.red), toward(face.green), toward(face.blue)};
    int lightValue = high * 130 / 100, lightSaturation = saturation;
    if (lightValue > 255) {
        lightSaturation = std::max(0, saturation - (lightValue - 255));
        lightValue = 255;
    }
    return {FromValueAndSaturation(hue, lightValue, lightSaturation),
            FromValueAndSaturation(hue, high * 100 / 160, saturation)};
}

std::uint8_t HatchLevel(int x, int y)
{
    if ((x + y) % 3 != 2)
        return 255;
    return y % 3 == 0 ? 230 : 229;
}

void FillHatch(std::uint8_t *pixels, Size size, std::size_t stride, int bytesPerPixel)
{
    const std::size_t rowBytes = std::size_t(size.width) * std::size_t(bytesPerPixel);
    for (int y = 0; y < size.height; ++y) {
        std::uint8_t *row = pixels + std::size_t(y) * stride;
        if (y >= 3) {  // a row depends only on y mod 3: copy the one three rows up
            std::memcpy(row, row - 3 * stride, rowBytes);
            continue;
        }
        for (int x = 0; x < size.width; ++x)
            std::memset(row + std::size_t(x) * std::size_t(bytesPerPixel), HatchLevel(x, y),
                        std::size_t(bytesPerPixel));
    }
}

// Every outcome of a click, success or failure, becomes one message box. A price that is
// not a number or out of range is reported, and the window stays open for a corrected try
// instead of the program ending with the user's texts lost.
Presentation Present(const CalculationOutcome &outcome)
{
    switch (outcome.kind) {
    case OutcomeKind::Report:
    case OutcomeKind::MissingInput: {
        std::u16string text = outcome.message;
        std::replace(text.begin(), text.end(), kLineSeparator, u'\n');
        return {BoxKind::Message, std::move(text)};
    }
    case OutcomeKind::ConversionError:
        return {BoxKind::ErrorReport, u"Típuseltérés: az ár nem szám."};
    case OutcomeKind::Overflow:
        return {BoxKind::ErrorReport,
                u"Túlcsordulás: az érték kívül esik a számolható tartományon."};
    }
    return {BoxKind::ErrorReport, {}};
}

}  // namespace levelwise::form
