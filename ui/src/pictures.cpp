#include "pictures.h"

#include "main_window.h"

#include <QImageReader>

#include <cstring>

namespace levelwise {

QImage HatchPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB888);
    const qsizetype rowBytes = 3 * qsizetype(size.width());
    for (int y = 0; y < size.height(); ++y) {
        uchar *row = image.scanLine(y);
        if (y >= 3) {  // a row depends only on y mod 3: copy the one three rows up
            std::memcpy(row, image.constScanLine(y - 3), rowBytes);
            continue;
        }
        const uchar grey = y % 3 == 0 ? 230 : 229;
        for (int x = 0; x < size.width(); ++x) {
            const uchar value = (x + y) % 3 == 2 ? grey : 255;
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = value;
        }
    }
    return image;
}

QImage BundledPicture(const QString &path)
{
    // Read as PNG outright. Left to guess, the reader first asks every image-format plugin
    // whether it knows the data, and so loads them all (the JPEG library with one) at start.
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

}  // namespace levelwise
