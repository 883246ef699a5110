// The window's pictures as Qt images: the hatch behind the window and on the calculate
// button, and the logo, drawn for any screen density.
#pragma once

#include <QImage>

namespace levelwise::form {
struct RgbaPicture;
}

namespace levelwise {

// A picture of the given size drawn by the hatch rule of the window's pictures; 24-bit.
QImage HatchPicture(QSize size);

// A picture drawn by the window's own drawing code, as a 32-bit Qt image.
QImage ToImage(const form::RgbaPicture &picture);

// The logo drawn on white at the screen's own pixels for the given density.
QImage DrawLogo(qreal ratio);

// The logo for a screen of the given density: the picture built into the program at 1 (the
// art program's DrawLogo(1), committed), drawn afresh elsewhere.
QImage LogoPicture(qreal ratio);

}  // namespace levelwise
