// The grey level of the window's hatch pictures, worked out by hand for one 3 x 3 tile that
// repeats: [y % 3][x % 3]. Grey where (x + y) % 3 is 2, 230 on rows with y % 3 of 0 and 229 on
// the others, white elsewhere: diagonal lines rising to the right.
#pragma once

namespace levelwise::test {

inline constexpr int kHatchTile[3][3] = {
    {255, 255, 230},
    {255, 229, 255},
    {229, 255, 255},
};

}  // namespace levelwise::test
