#include "pictures.h"

#include "form1.h"
#include "main_window.h"

#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

namespace levelwise {
namespace {

const QColor kNavy{33, 52, 92};
const QColor kBlue{81, 133, 201};
const QColor kLavender{128, 128, 255};
const QColor kPrice{255, 255, 255};
const QColor kLevelColours[] = {{255, 196, 84}, {236, 236, 236}, {110, 220, 150}};

}  // namespace

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

void PaintLogo(QPainter &p, double scale, double minStroke)
{
    const auto stroke = [&](double width) { return qMax(width, minStroke / scale); };
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);

    const QRectF panel(2.5, 2.5, 140, 105);
    p.setPen(QPen(kNavy, stroke(1)));
    QLinearGradient sky(panel.topLeft(), panel.bottomLeft());
    sky.setColorAt(0, kBlue);
    sky.setColorAt(1, kNavy);
    p.setBrush(sky);
    p.drawRoundedRect(panel, 12, 12);

    const double low = 92, high = 18;  // y of the lowest and the highest price
    const double levels[] = {high + 0.382 * (low - high), high + 0.5 * (low - high),
                             high + 0.618 * (low - high)};
    for (int i = 0; i < 3; ++i) {
        QPen pen(kLevelColours[i], stroke(1.6), minStroke > 0 ? Qt::SolidLine : Qt::DashLine,
                 Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(QPointF(14, levels[i]), QPointF(131, levels[i]));
    }

    QPainterPath move;
    const QPointF points[] = {{16, low},  {30, 80},  {40, 84}, {56, 58}, {64, 63},
                              {82, 30},   {90, 36},  {100, high}, {112, 42}, {118, 38},
                              {128, levels[2]}};
    move.moveTo(points[0]);
    for (const QPointF &point : points)
        move.lineTo(point);
    p.setPen(QPen(kPrice, stroke(3.2), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(move);
    p.setPen(Qt::NoPen);
    p.setBrush(kLavender);
    const double dot = qMax(4.5, 1.2 * minStroke / scale);
    p.drawEllipse(points[10], dot, dot);
}

QImage DrawLogo(qreal ratio)
{
    const QSize size = (QSizeF(form::kLogoSize.width, form::kLogoSize.height) * ratio).toSize();
    QImage logo(size, QImage::Format_RGB888);
    logo.fill(Qt::white);
    QPainter painter(&logo);
    PaintLogo(painter, ratio, 0.0);
    painter.end();
    logo.setDevicePixelRatio(ratio);
    return logo;
}

QImage LogoPicture(qreal ratio)
{
    return ratio == 1 ? BundledPicture(QStringLiteral(":/levelwise/logo.png")) : DrawLogo(ratio);
}

}  // namespace levelwise
