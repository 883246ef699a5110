// Whether drawn text is in the table's colour. Anti-aliased text seldom covers a pixel whole,
// so the most inked pixel of a text is weighed as a blend of the ink over what it stands on:
// every channel must agree on how much ink it holds, and it must hold nearly all. A blue a
// little off, or another colour, fails where a count of "bluish" pixels would pass.
#pragma once

#include "form1.h"

#include <cstdlib>

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

// The most inked pixel of a rectangle, the one farthest from what it stands on, weighed.
// pixel(x, y) and under(x, y) give the drawn colour and the colour beneath the text.
template <typename Pixel, typename Under>
Ink MostInked(int left, int top, int right, int bottom, Pixel pixel, Under under, form::Rgb ink)
{
    int most = -1;
    Ink inked;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (const int distance = Distance(pixel(x, y), under(x, y)); distance > most) {
                most = distance;
                inked = InkOver(pixel(x, y), under(x, y), ink);
            }
        }
    }
    return inked;
}

inline form::Rgb Grey(std::uint8_t level) { return {level, level, level}; }

}  // namespace levelwise::test
