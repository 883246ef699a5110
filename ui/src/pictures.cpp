#include "pictures.h"

namespace levelwise {

QImage HatchPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB888);
    for (int y = 0; y < size.height(); ++y) {
        uchar *row = image.scanLine(y);
        const uchar grey = y % 3 == 0 ? 230 : 229;
        for (int x = 0; x < size.width(); ++x) {
            const uchar value = (x + y) % 3 == 2 ? grey : 255;
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = value;
        }
    }
    return image;
}

}  // namespace levelwise
