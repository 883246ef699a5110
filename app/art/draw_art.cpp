// Draws the logo and the application icons into the folder given: logo.png (145 x 110) and
// logo.bmp (24-bit, for the Windows program's resources); icon-16.png and icon-32.png
// (256-colour palette pictures) and levelwise.ico holding both; icon-48.png to icon-256.png
// (full colour, for desktops and software centres), icon-192.png and icon-512.png (for the
// web app's manifest), levelwise.svg (any size) and hatch.png (one 3 x 3 period of the hatch
// rule, grey, which the web page repeats behind its window and on its button).
// The pictures in the repository are this program's output; the art test redraws them and
// compares. The drawing itself is the window's own (ui/form/logo.h), which gives the same
// bytes on every machine.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMap>
#include <QtEndian>

#include "form1.h"
#include "logo.h"
#include "pictures.h"

#include <algorithm>
#include <climits>

#include <cstdio>

namespace {

// A 256-colour palette for a small picture: colours that share their top five bits per
// channel are merged, the most common merged colours are kept, every pixel takes the
// nearest of them. Fully transparent pixels get an entry of their own.
QImage Quantise(const QImage &picture)
{
    struct Bucket {
        qint64 r = 0, g = 0, b = 0, count = 0;
    };
    QMap<quint32, Bucket> buckets;  // ordered, so the result does not depend on hashing
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb c = picture.pixel(x, y);
            if (qAlpha(c) < 128)
                continue;
            Bucket &bucket = buckets[(qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3];
            bucket.r += qRed(c);
            bucket.g += qGreen(c);
            bucket.b += qBlue(c);
            ++bucket.count;
        }
    }
    QList<Bucket> common = buckets.values();
    std::stable_sort(common.begin(), common.end(),
                     [](const Bucket &a, const Bucket &b) { return a.count > b.count; });
    QList<QRgb> table{qRgba(0, 0, 0, 0)};
    for (const Bucket &bucket : common.mid(0, 255))
        table.append(qRgb(int(bucket.r / bucket.count), int(bucket.g / bucket.count),
                          int(bucket.b / bucket.count)));

    QImage indexed(picture.size(), QImage::Format_Indexed8);
    indexed.setColorTable(table);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb c = picture.pixel(x, y);
            int best = 0;
            if (qAlpha(c) >= 128) {
                int bestDistance = INT_MAX;
                for (int i = 1; i < table.size(); ++i) {
                    const int dr = qRed(c) - qRed(table[i]), dg = qGreen(c) - qGreen(table[i]),
                              db = qBlue(c) - qBlue(table[i]);
                    const int distance = dr * dr + dg * dg + db * db;
                    if (distance < bestDistance) {
                        bestDistance = distance;
                        best = i;
                    }
                }
            }
            indexed.setPixel(x, y, uint(best));
        }
    }
    return indexed;
}

// Small icons keep 256 colours, as Windows' icon resources and old desktops expect them.
QImage DrawIcon(int side)
{
    const QImage square = levelwise::ToImage(levelwise::form::DrawIcon(side));
    return side <= 32 ? Quantise(square) : square;
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

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool SamePixels(const QImage &drawn, const QString &path)
{
    const QImage stored(path);
    return !stored.isNull() && stored.size() == drawn.size() &&
           stored.convertToFormat(QImage::Format_ARGB32) ==
               drawn.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

// draw_art FOLDER writes the pictures; draw_art --check FOLDER tells whether the pictures
// there are what this program draws.
int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const bool check = argc == 3 && QByteArray(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: draw_art [--check] FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[argc - 1]));
    const QImage logo = levelwise::DrawLogo(1.0);
    const QImage logoBitmap = logo.convertToFormat(QImage::Format_RGB888);
    QList<QImage> icons;
    for (const int side : {16, 32, 48, 64, 128, 256, 192, 512})
        icons.append(DrawIcon(side));

    // Each file is written, or with --check compared with what is drawn; a miss is said.
    bool ok = true;
    const auto settle = [&](const QString &name, const auto &write, const auto &same) {
        const QString path = out.filePath(name);
        const bool done = check ? same(path) : write(path);
        if (!done)
            std::fprintf(stderr, "draw_art: %s %s\n", qPrintable(path),
                         check ? "differs from what draw_art draws" : "could not be written");
        ok = ok && done;
    };
    const auto picture = [&](const QString &name, const QImage &drawn) {
        settle(
            name, [&](const QString &path) { return drawn.save(path, nullptr, 0); },
            [&](const QString &path) { return SamePixels(drawn, path); });
    };
    const auto file = [&](const QString &name, const QByteArray &bytes) {
        settle(
            name, [&](const QString &path) { return WriteFile(path, bytes); },
            [&](const QString &path) { return ReadFile(path) == bytes; });
    };
    picture(QStringLiteral("logo.png"), logo);
    picture(QStringLiteral("logo.bmp"), logoBitmap);
    for (const QImage &icon : icons)
        picture(QStringLiteral("icon-%1.png").arg(icon.width()), icon);
    QImage hatch(3, 3, QImage::Format_Grayscale8);
    levelwise::form::FillHatch(hatch.bits(), {3, 3}, std::size_t(hatch.bytesPerLine()), 1);
    picture(QStringLiteral("hatch.png"), hatch);
    file(QStringLiteral("levelwise.ico"), IconFile({icons[0], icons[1]}));
    file(QStringLiteral("levelwise.svg"), QByteArray::fromStdString(levelwise::form::IconSvg(256)));
    return ok ? 0 : 1;
}
