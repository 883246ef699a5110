// Whether drawn text is in the colour the table gives it. Anti-aliased text seldom covers a
// pixel whole, so the most inked pixel of a caption is weighed as a blend of the ink over what
// it stands on: every channel must agree on how much ink the pixel holds, and it must hold
// nearly all. A blue ink a little off, or text in another colour, fails where a pixel count
// of "bluish" would pass.
#pragma once

#include "form1.h"

#include <cstdlib>

namespace levelwise::test {

struct Ink {
    double coverage = 0;  // 0 the background alone, 1 the ink alone
    bool blend = false;   // the pixel is the ink over the background at that coverage
};

inline Ink InkOver(form::Rgb pixel, form::Rgb under, form::Rgb ink)
{
    const int pixels[] = {pixel.red, pixel.green, pixel.blue};
    const int unders[] = {under.red, under.green, under.blue};
    const int inks[] = {ink.red, ink.green, ink.blue};
    int moved = 0, spread = 0;  // over the channels where ink and background differ most
    for (int c = 0; c < 3; ++c) {
        if (std::abs(inks[c] - unders[c]) > spread) {
            spread = std::abs(inks[c] - unders[c]);
            moved = c;
        }
    }
    Ink result;
    if (spread == 0)
        return result;
    result.coverage = double(pixels[moved] - unders[moved]) / (inks[moved] - unders[moved]);
    result.blend = true;
    for (int c = 0; c < 3; ++c) {
        const double expected = unders[c] + result.coverage * (inks[c] - unders[c]);
        result.blend = result.blend && std::abs(expected - pixels[c]) <= 2.0;
    }
    return result;
}

// How far a pixel stands from what is under it: the most inked pixel is the farthest.
inline int Distance(form::Rgb a, form::Rgb b)
{
    return std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
}

}  // namespace levelwise::test
