// The hatched pictures behind the window and on the calculate button.
#pragma once

#include <QImage>

namespace levelwise {

// Fine diagonal hatching rising to the right, three pixels apart: the pixel (x, y) is grey
// where (x + y) mod 3 = 2, RGB (230, 230, 230) on rows with y mod 3 = 0 and (229, 229, 229)
// on the others; every other pixel is white. 24-bit colour.
QImage HatchPicture(QSize size);

inline constexpr QSize kBackgroundPictureSize{399, 289};
inline constexpr QSize kButtonPictureSize{112, 34};

}  // namespace levelwise
