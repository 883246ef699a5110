#include "pictures.h"

#include "form1.h"
#include "logo.h"
#include "main_window.h"

#include <QImageReader>

namespace levelwise {

QImage HatchPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB888);
    form::FillHatch(image.bits(), {size.width(), size.height()}, std::size_t(image.bytesPerLine()),
                    3);
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

QImage ToImage(const form::RgbaPicture &picture)
{
    return QImage(picture.pixels.data(), picture.size.width, picture.size.height,
                  QImage::Format_RGBA8888)
        .convertToFormat(QImage::Format_ARGB32);
}

QImage DrawLogo(qreal ratio)
{
    QImage logo = ToImage(form::DrawLogo(ratio)).convertToFormat(QImage::Format_RGB888);
    logo.setDevicePixelRatio(ratio);
    return logo;
}

QImage LogoPicture(qreal ratio)
{
    return ratio == 1 ? BundledPicture(QStringLiteral(":/levelwise/logo.png")) : DrawLogo(ratio);
}

}  // namespace levelwise
