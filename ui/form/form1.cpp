#include "form1.h"

#include <algorithm>
#include <cstring>

namespace levelwise::form {

const ControlEntry &Control(std::string_view name)
{
    const auto found = std::find_if(kControls.begin(), kControls.end(),
                                    [name](const ControlEntry &c) { return c.name == name; });
    return found != kControls.end() ? *found : kControls.front();
}

bool TakesFocus(ControlKind kind)
{
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox ||
           kind == ControlKind::PictureButton;
}

std::array<const ControlEntry *, 4> TabOrder()
{
    std::array<const ControlEntry *, 4> order{};
    std::size_t count = 0;
    for (const ControlEntry &control : kControls) {
        if (!TakesFocus(control.kind) || count == order.size())
            continue;
        std::size_t at = count++;  // insert by tab index
        for (; at > 0 && order[at - 1]->tabIndex > control.tabIndex; --at)
            order[at] = order[at - 1];
        order[at] = &control;
    }
    return order;
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
