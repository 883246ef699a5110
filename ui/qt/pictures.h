// The window's pictures as Qt images: the hatch behind the window and on the calculate
// button, and the logo, drawn for any screen density.
#pragma once

#include <QImage>

class QPainter;

namespace levelwise {

// A picture of the given size drawn by the hatch rule of the window's pictures; 24-bit.
QImage HatchPicture(QSize size);

// A price that rose from the lower left to a top and corrected to its 61.8 % level, with the
// three correction levels as horizontal lines, in the logo's own 145 x 110 units times
// `scale`. Reduced copies keep every stroke at least minStroke pixels wide, so the lines
// still show in a 16-pixel icon. The art program draws the logo and the icons with it.
void PaintLogo(QPainter &p, double scale, double minStroke);

// The logo drawn on white at the screen's own pixels for the given density.
QImage DrawLogo(qreal ratio);

// The logo for a screen of the given density: the picture built into the program at 1 (the
// art program's DrawLogo(1), committed), drawn afresh elsewhere.
QImage LogoPicture(qreal ratio);

}  // namespace levelwise
