// Whether drawn text is in the table's colour. Anti-aliased text seldom covers a pixel whole,
// so the most inked pixel of a text is weighed as a blend of the ink over what it stands on:
// every channel must agree on how much ink it holds, and it must hold nearly all. A blue a
// little off, or another colour, fails where a count of "bluish" pixels would pass. The Qt and
// Win32 window tests read every text and the button's bevel with the checks below.
#pragma once

#include "form1.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace levelwise::test {

struct Ink {
    double coverage = 0;  // 0 the background alone, 1 the ink alone
    bool blend = false;   // the pixel is the ink over the background at that coverage
    bool Full() const { return blend && coverage > 0.9; }
};

inline int Distance(form::Rgb a, form::Rgb b)
{
    return std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
}

inline Ink InkOver(form::Rgb pixel, form::Rgb under, form::Rgb ink)
{
    const int p[] = {pixel.red, pixel.green, pixel.blue},
              u[] = {under.red, under.green, under.blue}, i[] = {ink.red, ink.green, ink.blue};
    int moved = 0;  // the channel where ink and background differ most
    for (int c = 1; c < 3; ++c)
        moved = std::abs(i[c] - u[c]) > std::abs(i[moved] - u[moved]) ? c : moved;
    if (i[moved] == u[moved])
        return {};
    Ink result{double(p[moved] - u[moved]) / (i[moved] - u[moved]), true};
    for (int c = 0; c < 3; ++c)
        result.blend =
            result.blend && std::abs(u[c] + result.coverage * (i[c] - u[c]) - p[c]) <= 2.0;
    return result;
}

inline form::Rgb Grey(std::uint8_t level) { return {level, level, level}; }

// A length of the table (pixels at 96 dpi) at the given density, rounded as Windows does.
inline int AtDpi(int pixels, int dpi) { return (pixels * dpi + 48) / 96; }

// Every text of the window in the table's colours: labels over the hatch, fields over their
// white face (the combo box's text, not its arrow), the button's caption over its picture.
// pixel(x, y) reads the client area, width x height device pixels drawn at `dpi`, with the
// hatch laid at device pixels. What is wrong, a line a text; empty when all is right.
template <typename Pixel> std::string TextsNotInked(Pixel pixel, int width, int height, int dpi)
{
    std::string wrong;
    for (const form::ControlEntry &entry : form::kControls) {
        if (entry.text.empty() || entry.kind == form::ControlKind::Picture)
            continue;
        const bool label = entry.kind == form::ControlKind::Label;
        const bool button = entry.kind == form::ControlKind::PictureButton;
        const int inset = label ? 0 : AtDpi(form::kFaceMargin + 1, dpi);
        const form::Rect &b = entry.bounds;
        const int left = AtDpi(b.left, dpi) + inset, top = AtDpi(b.top, dpi) + inset;
        int right = std::min(AtDpi(b.left + b.width, dpi) - inset, width);
        if (entry.kind == form::ControlKind::ComboBox)
            right = (left + right) / 2;
        const int bottom = std::min(AtDpi(b.top + b.height, dpi) - inset, height);
        // The most inked pixel, the one farthest from what the text stands on, weighed.
        const form::Rgb ink = button ? form::kButtonCaptionColour : form::kTextColour;
        int most = -1;
        Ink inked;
        form::Rgb mostInked{};
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const form::Rgb under = Grey(label || button ? form::HatchLevel(x, y) : 255);
                if (const int distance = Distance(pixel(x, y), under); distance > most) {
                    most = distance;
                    mostInked = pixel(x, y);
                    inked = InkOver(mostInked, under, ink);
                }
            }
        }
        if (!inked.Full())
            wrong += std::string(entry.name) + ": " + std::to_string(inked.coverage) +
                     (inked.blend ? " of the ink\n" : " of the ink, not the ink's colour\n");
        // The slack of a blend is for the edges' rounding: a pixel the ink covers whole is the
        // ink itself.
        else if (inked.coverage >= 1 && mostInked != ink)
            wrong += std::string(entry.name) + ": fully inked in " +
                     std::to_string(mostInked.red) + ", " + std::to_string(mostInked.green) +
                     ", " + std::to_string(mostInked.blue) + ", not the ink's colour\n";
    }
    return wrong;
}

// The button's bevel on the row y through its middle, its outer columns left and right: the
// light shade on the left edge and the dark on the right (swapped while it is down), then the
// face. How many pixels are wrong.
template <typename Pixel>
int BevelPixelsWrong(Pixel pixel, int left, int right, int y, int dpi, bool down = false)
{
    const form::Shades shades = form::BevelShades(form::kButtonFaceColour);
    int wrong = 0;
    for (int i = 0; i < AtDpi(form::kFaceMargin, dpi); ++i) {
        const bool edge = i < AtDpi(form::kBevelWidth, dpi);
        const form::Rgb leftColour =
            edge ? (down ? shades.dark : shades.light) : form::kButtonFaceColour;
        const form::Rgb rightColour =
            edge ? (down ? shades.light : shades.dark) : form::kButtonFaceColour;
        wrong += pixel(left + i, y) != leftColour;
        wrong += pixel(right - i, y) != rightColour;
    }
    return wrong;
}

}  // namespace levelwise::test
