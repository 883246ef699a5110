// The hatched pictures behind the window and on the calculate button, as Qt images.
#pragma once

#include <QImage>

namespace levelwise {

// A picture of the given size drawn by the hatch rule of the window's pictures; 24-bit.
QImage HatchPicture(QSize size);

}  // namespace levelwise
