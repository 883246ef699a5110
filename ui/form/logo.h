// The logo of Image1 and of the application icons, drawn without any toolkit: a price that
// rose from the lower left to a top and corrected to its 61.8 % level, with the three
// correction levels as horizontal lines, on a rounded panel.
//
// The drawing uses only additions, multiplications, divisions and square roots of doubles,
// which IEEE 754 rounds the same way on every processor, so the same call gives the same
// bytes on any machine and in any program (toolkit painters call the maths library's atan2
// and sincos for joins and arcs, whose last bits differ from one processor to the next).
#pragma once

#include "form1.h"

#include <cstdint>
#include <string>
#include <vector>

namespace levelwise::form {

// Straight (not premultiplied) colour with 8-bit alpha, row by row from the top, four bytes
// a pixel in the order red, green, blue, alpha.
struct RgbaPicture {
    Size size;
    std::vector<std::uint8_t> pixels;
};

// The logo at its own size times `scale`, on white: what Image1 shows at that density.
RgbaPicture DrawLogo(double scale);

// The logo fitted into a square icon of `side` pixels, centred, on a transparent ground.
// Small icons keep every stroke at least a pixel wide and draw the levels solid, so the
// lines still show at 16 pixels.
RgbaPicture DrawIcon(int side);

// The same icon as scalable vector graphics, `side` units square.
std::string IconSvg(int side);

// The logo as scalable vector graphics, at its own size on white: for screens of any density
// where the pixels need not be DrawLogo's.
std::string LogoSvg();

}  // namespace levelwise::form
