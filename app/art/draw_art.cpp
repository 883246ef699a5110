// Draws the logo and the application icons into the folder given: logo.png (145 x 110),
// icon-16.png and icon-32.png (256-colour palette pictures) and levelwise.ico holding both.
// The pictures in the repository are this program's output; the art test redraws them and
// compares.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <cstdio>

namespace {

const QColor kNavy{33, 52, 92};
const QColor kBlue{81, 133, 201};
const QColor kLavender{128, 128, 255};
const QColor kPrice{255, 255, 255};
const QColor kLevelColours[] = {{255, 196, 84}, {236, 236, 236}, {110, 220, 150}};

// A price that rose from the lower left to a top and corrected to its 61.8 % level,
// with the three correction levels as horizontal lines.
QImage DrawLogo()
{
    QImage logo(145, 110, QImage::Format_RGB888);
    logo.fill(Qt::white);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF panel(2.5, 2.5, 140, 105);
    p.setPen(QPen(kNavy, 1));
    QLinearGradient sky(panel.topLeft(), panel.bottomLeft());
    sky.setColorAt(0, kBlue);
    sky.setColorAt(1, kNavy);
    p.setBrush(sky);
    p.drawRoundedRect(panel, 12, 12);

    const double low = 92, high = 18;  // y of the lowest and the highest price
    const double levels[] = {high + 0.382 * (low - high), high + 0.5 * (low - high),
                             high + 0.618 * (low - high)};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(kLevelColours[i], 1.6, Qt::DashLine, Qt::FlatCap));
        p.drawLine(QPointF(14, levels[i]), QPointF(131, levels[i]));
    }

    QPainterPath move;
    const QPointF points[] = {{16, low},  {30, 80},  {40, 84}, {56, 58}, {64, 63},
                              {82, 30},   {90, 36},  {100, high}, {112, 42}, {118, 38},
                              {128, levels[2]}};
    move.moveTo(points[0]);
    for (const QPointF &point : points)
        move.lineTo(point);
    p.setPen(QPen(kPrice, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(move);
    p.setPen(Qt::NoPen);
    p.setBrush(kLavender);
    p.drawEllipse(points[10], 4.5, 4.5);
    return logo;
}

// The logo reduced into a square, quantised to a 256-colour palette.
QImage DrawIcon(const QImage &logo, int side)
{
    QImage square(side, side, QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    const QImage reduced = logo.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter(&square).drawImage((side - reduced.width()) / 2, (side - reduced.height()) / 2,
                                reduced);
    return square.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

void AppendLe16(QByteArray &out, quint16 v)
{
    const quint16 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 2);
}
void AppendLe32(QByteArray &out, quint32 v)
{
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

// One 8-bit icon image: BITMAPINFOHEADER, 256 palette entries, the colour rows and the
// transparency mask, both bottom-up with rows padded to four bytes.
QByteArray IconBitmap(const QImage &icon)
{
    const int side = icon.width();
    QByteArray out;
    AppendLe32(out, 40);
    AppendLe32(out, side);
    AppendLe32(out, 2 * side);  // colour rows and mask rows
    AppendLe16(out, 1);
    AppendLe16(out, 8);
    AppendLe32(out, 0);
    AppendLe32(out, 0);
    AppendLe32(out, 0);
    AppendLe32(out, 0);
    AppendLe32(out, 256);
    AppendLe32(out, 0);
    const QList<QRgb> table = icon.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < table.size() ? table[i] : 0;
        out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
    }
    const int colourStride = (side + 3) / 4 * 4;
    for (int y = side - 1; y >= 0; --y) {
        QByteArray row(colourStride, '\0');
        for (int x = 0; x < side; ++x)
            row[x] = char(icon.pixelIndex(x, y));
        out.append(row);
    }
    const int maskStride = ((side + 7) / 8 + 3) / 4 * 4;
    for (int y = side - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < side; ++x) {
            if (qAlpha(icon.pixel(x, y)) < 128)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

QByteArray IconFile(const QList<QImage> &icons)
{
    QByteArray out;
    AppendLe16(out, 0);
    AppendLe16(out, 1);  // an icon, not a cursor
    AppendLe16(out, quint16(icons.size()));
    QList<QByteArray> bitmaps;
    quint32 offset = 6 + 16 * quint32(icons.size());
    for (const QImage &icon : icons) {
        bitmaps.append(IconBitmap(icon));
        out.append(char(icon.width())).append(char(icon.height()));
        out.append('\0').append('\0');  // 0 colours means 256; reserved
        AppendLe16(out, 1);
        AppendLe16(out, 8);
        AppendLe32(out, quint32(bitmaps.last().size()));
        AppendLe32(out, offset);
        offset += quint32(bitmaps.last().size());
    }
    for (const QByteArray &bitmap : bitmaps)
        out.append(bitmap);
    return out;
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_art OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QImage logo = DrawLogo();
    const QImage icon16 = DrawIcon(logo, 16);
    const QImage icon32 = DrawIcon(logo, 32);
    const bool ok = QDir().mkpath(out.path()) && logo.save(out.filePath("logo.png")) &&
                    icon16.save(out.filePath("icon-16.png")) &&
                    icon32.save(out.filePath("icon-32.png")) &&
                    WriteFile(out.filePath("levelwise.ico"), IconFile({icon16, icon32}));
    if (!ok)
        std::fprintf(stderr, "draw_art: could not write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
