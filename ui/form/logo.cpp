#include "logo.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace levelwise::form {
namespace {

constexpr Rgb kNavy{33, 52, 92};
constexpr Rgb kBlue{81, 133, 201};
constexpr Rgb kPriceColour{255, 255, 255};
constexpr Rgb kLevelColours[3] = {{255, 196, 84}, {236, 236, 236}, {110, 220, 150}};
// The price's last point; the logo's own, so a change to the window's text leaves it be.
constexpr Rgb kDotColour{128, 128, 255};

struct Point {
    double x;
    double y;
};

// The logo's shapes in its own 145 x 110 units, drawn in this order.
struct Shapes {
    // A rounded panel, shaded from blue at the top to navy at the bottom, outlined in navy.
    Point panelCentre{72.5, 55};
    Point panelHalf{70, 52.5};
    double panelRadius = 12;
    double outline = 1;
    // The three correction levels, from x 14 to 131: dashes 4 and gaps 2 widths long, or
    // solid on small icons.
    double levelLeft = 14;
    double levelRight = 131;
    double levelY[3] = {};
    double levelWidth = 1.6;
    bool dashed = true;
    // The price, a polyline with round joins and ends, and a dot where it stands now.
    Point price[11] = {};
    double priceWidth = 3.2;
    double dot = 4.5;
};

Shapes LogoShapes(double scale, double minStroke)
{
    Shapes s;
    const auto stroke = [&](double width) { return std::max(width, minStroke / scale); };
    const double low = 92, high = 18;  // y of the lowest and the highest price
    s.levelY[0] = high + 0.382 * (low - high);
    s.levelY[1] = high + 0.5 * (low - high);
    s.levelY[2] = high + 0.618 * (low - high);
    const Point price[] = {{16, low}, {30, 80},  {40, 84},          {56, 58},
                           {64, 63},  {82, 30},  {90, 36},          {100, high},
                           {112, 42}, {118, 38}, {128, s.levelY[2]}};
    std::copy(std::begin(price), std::end(price), s.price);
    s.outline = stroke(s.outline);
    s.levelWidth = stroke(s.levelWidth);
    s.dashed = minStroke == 0;
    s.priceWidth = stroke(s.priceWidth);
    s.dot = std::max(s.dot, 1.2 * minStroke / scale);
    return s;
}

// Signed distances, negative inside: only +, -, *, / and sqrt, which round alike everywhere.
double Length(double x, double y) { return std::sqrt(x * x + y * y); }

double BoxDistance(Point p, Point centre, Point half, double radius)
{
    const double qx = std::abs(p.x - centre.x) - (half.x - radius);
    const double qy = std::abs(p.y - centre.y) - (half.y - radius);
    return Length(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
}

double SegmentDistance(Point p, Point a, Point b)
{
    const double px = p.x - a.x, py = p.y - a.y, bx = b.x - a.x, by = b.y - a.y;
    const double h = std::clamp((px * bx + py * by) / (bx * bx + by * by), 0.0, 1.0);
    return Length(px - bx * h, py - by * h);
}

// Where a shape lies, in logo units: only pixels there are visited.
struct Bounds {
    double left, top, right, bottom;
};

Bounds Around(Point centre, double halfWidth, double halfHeight)
{
    return {centre.x - halfWidth, centre.y - halfHeight, centre.x + halfWidth,
            centre.y + halfHeight};
}

// Straight colour channels 0 to 255.
struct Colour {
    double red;
    double green;
    double blue;
};

Colour Plain(Rgb c) { return {double(c.red), double(c.green), double(c.blue)}; }

// A picture under construction: premultiplied channels, alpha 0 to 1.
class Canvas {
public:
    Canvas(Size size, double scale, double top, double ground)
        : m_size(size), m_scale(scale), m_top(top),
          m_pixels(std::size_t(size.width) * size.height,
                   {ground * 255, ground * 255, ground * 255, ground})
    {
    }

    // Covers each pixel by how far its centre lies inside the shape: fully from half a pixel
    // inside, not at all from half a pixel outside, linearly between.
    template <typename Distance, typename Shade>
    void Paint(const Distance &distance, const Shade &colour, Bounds bounds)
    {
        // A pixel beyond the bounds by more than half a pixel is not covered at all.
        const auto from = [](double v, int size) {
            return std::clamp(int(std::floor(v)) - 1, 0, size);
        };
        const auto to = [](double v, int size) {
            return std::clamp(int(std::ceil(v)) + 1, 0, size);
        };
        const int top = from(bounds.top * m_scale + m_top, m_size.height);
        const int bottom = to(bounds.bottom * m_scale + m_top, m_size.height);
        const int left = from(bounds.left * m_scale, m_size.width);
        const int right = to(bounds.right * m_scale, m_size.width);
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const Point at{(x + 0.5) / m_scale, (y + 0.5 - m_top) / m_scale};
                const double cover = std::clamp(0.5 - distance(at) * m_scale, 0.0, 1.0);
                if (cover == 0)
                    continue;
                const Colour c = colour(at);
                Pixel &p = m_pixels[std::size_t(y) * m_size.width + x];
                const double keep = 1 - cover;
                p = {c.red * cover + p.red * keep, c.green * cover + p.green * keep,
                     c.blue * cover + p.blue * keep, cover + p.alpha * keep};
            }
        }
    }

    RgbaPicture Picture() const
    {
        RgbaPicture picture{m_size, {}};
        picture.pixels.reserve(m_pixels.size() * 4);
        const auto byte = [](double v) {
            return std::uint8_t(std::clamp(std::floor(v + 0.5), 0.0, 255.0));
        };
        for (const Pixel &p : m_pixels) {
            const std::uint8_t alpha = byte(p.alpha * 255);
            const double unmultiply = alpha == 0 ? 0 : 1 / p.alpha;
            picture.pixels.insert(picture.pixels.end(),
                                  {byte(p.red * unmultiply), byte(p.green * unmultiply),
                                   byte(p.blue * unmultiply), alpha});
        }
        return picture;
    }

private:
    struct Pixel {
        double red, green, blue, alpha;
    };
    Size m_size;
    double m_scale;
    double m_top;
    std::vector<Pixel> m_pixels;
};

Colour PanelShade(Point at, const Shapes &s)
{
    const double top = s.panelCentre.y - s.panelHalf.y;
    const double t = std::clamp((at.y - top) / (2 * s.panelHalf.y), 0.0, 1.0);
    const Colour from = Plain(kBlue), to = Plain(kNavy);
    return {from.red + (to.red - from.red) * t, from.green + (to.green - from.green) * t,
            from.blue + (to.blue - from.blue) * t};
}

// The dashes of one level line as [left, right] spans; one span when solid.
std::vector<std::pair<double, double>> LevelSpans(const Shapes &s)
{
    if (!s.dashed)
        return {{s.levelLeft, s.levelRight}};
    std::vector<std::pair<double, double>> spans;
    for (double x = s.levelLeft; x < s.levelRight; x += 6 * s.levelWidth)
        spans.emplace_back(x, std::min(x + 4 * s.levelWidth, s.levelRight));
    return spans;
}

Bounds PriceBounds(const Shapes &s)
{
    Bounds b{s.price[0].x, s.price[0].y, s.price[0].x, s.price[0].y};
    for (const Point &p : s.price)
        b = {std::min(b.left, p.x), std::min(b.top, p.y), std::max(b.right, p.x),
             std::max(b.bottom, p.y)};
    const double half = s.priceWidth / 2;
    return {b.left - half, b.top - half, b.right + half, b.bottom + half};
}

RgbaPicture Draw(Size size, double scale, double top, double minStroke, double ground)
{
    const Shapes s = LogoShapes(scale, minStroke);
    Canvas canvas(size, scale, top, ground);
    const auto solid = [](Rgb c) { return [c](Point) { return Plain(c); }; };

    const auto panel = [&](Point p) {
        return BoxDistance(p, s.panelCentre, s.panelHalf, s.panelRadius);
    };
    const Bounds panelBounds =
        Around(s.panelCentre, s.panelHalf.x + s.outline / 2, s.panelHalf.y + s.outline / 2);
    canvas.Paint(
        panel, [&](Point p) { return PanelShade(p, s); }, panelBounds);
    canvas.Paint([&](Point p) { return std::abs(panel(p)) - s.outline / 2; }, solid(kNavy),
                 panelBounds);

    const auto spans = LevelSpans(s);
    for (int i = 0; i < 3; ++i) {
        canvas.Paint(
            [&](Point p) {
                double d = INFINITY;
                for (const auto &[left, right] : spans)
                    d = std::min(d, BoxDistance(p, {(left + right) / 2, s.levelY[i]},
                                                {(right - left) / 2, s.levelWidth / 2}, 0));
                return d;
            },
            solid(kLevelColours[i]),
            {s.levelLeft, s.levelY[i] - s.levelWidth / 2, s.levelRight,
             s.levelY[i] + s.levelWidth / 2});
    }

    canvas.Paint(
        [&](Point p) {
            double d = INFINITY;
            for (std::size_t i = 1; i < std::size(s.price); ++i)
                d = std::min(d, SegmentDistance(p, s.price[i - 1], s.price[i]));
            return d - s.priceWidth / 2;
        },
        solid(kPriceColour), PriceBounds(s));
    const Point now = s.price[std::size(s.price) - 1];
    canvas.Paint([&](Point p) { return Length(p.x - now.x, p.y - now.y) - s.dot; },
                 solid(kDotColour), Around(now, s.dot, s.dot));
    return canvas.Picture();
}

int Round(double v) { return int(std::floor(v + 0.5)); }

double IconScale(int side) { return side / double(kLogoSize.width); }
double IconTop(int side) { return (side - kLogoSize.height * IconScale(side)) / 2; }
double IconMinStroke(int side) { return side <= 16 ? 1.0 : side <= 64 ? 1.3 : 0.0; }

std::string Number(double v)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    return {text, end};
}

std::string Hex(Rgb c)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text = "#";
    for (const std::uint8_t v : {c.red, c.green, c.blue})
        text += {kDigits[v >> 4], kDigits[v & 15]};
    return text;
}

// The shapes as vector graphics in a picture of the given size, scaled and moved down as the
// pixel drawing does, on white (the logo) or on nothing (the icons).
std::string Svg(Size picture, double scale, double top, double minStroke, bool onWhite)
{
    const Shapes s = LogoShapes(scale, minStroke);
    const std::string width = Number(picture.width), height = Number(picture.height);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
                      "\">\n<title>Levelwise</title>\n";
    if (onWhite)
        svg += "<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"#ffffff\"/>\n";
    const double panelTop = s.panelCentre.y - s.panelHalf.y;
    svg += "<defs><linearGradient id=\"shade\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" +
           Number(panelTop) + "\" x2=\"0\" y2=\"" + Number(panelTop + 2 * s.panelHalf.y) +
           "\"><stop offset=\"0\" stop-color=\"" + Hex(kBlue) +
           "\"/><stop offset=\"1\" stop-color=\"" + Hex(kNavy) + "\"/></linearGradient></defs>\n";
    svg += "<g transform=\"matrix(" + Number(scale) + " 0 0 " + Number(scale) + " 0 " +
           Number(top) + ")\">\n";
    svg += "<rect x=\"" + Number(s.panelCentre.x - s.panelHalf.x) + "\" y=\"" + Number(panelTop) +
           "\" width=\"" + Number(2 * s.panelHalf.x) + "\" height=\"" + Number(2 * s.panelHalf.y) +
           "\" rx=\"" + Number(s.panelRadius) + "\" fill=\"url(#shade)\" stroke=\"" + Hex(kNavy) +
           "\" stroke-width=\"" + Number(s.outline) + "\"/>\n";
    for (int i = 0; i < 3; ++i) {
        svg += "<line x1=\"" + Number(s.levelLeft) + "\" y1=\"" + Number(s.levelY[i]) + "\" x2=\"" +
               Number(s.levelRight) + "\" y2=\"" + Number(s.levelY[i]) + "\" stroke=\"" +
               Hex(kLevelColours[i]) + "\" stroke-width=\"" + Number(s.levelWidth) + "\"";
        if (s.dashed)
            svg += " stroke-dasharray=\"" + Number(4 * s.levelWidth) + " " +
                   Number(2 * s.levelWidth) + "\"";
        svg += "/>\n";
    }
    svg += "<polyline points=\"";
    for (const Point &p : s.price)
        svg +=
            Number(p.x) + "," + Number(p.y) + (&p == &s.price[std::size(s.price) - 1] ? "" : " ");
    svg += "\" fill=\"none\" stroke=\"" + Hex(kPriceColour) + "\" stroke-width=\"" +
           Number(s.priceWidth) + "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n";
    const Point now = s.price[std::size(s.price) - 1];
    svg += "<circle cx=\"" + Number(now.x) + "\" cy=\"" + Number(now.y) + "\" r=\"" +
           Number(s.dot) + "\" fill=\"" + Hex(kDotColour) + "\"/>\n</g>\n</svg>\n";
    return svg;
}

}  // namespace

RgbaPicture DrawLogo(double scale)
{
    const Size size{Round(kLogoSize.width * scale), Round(kLogoSize.height * scale)};
    return Draw(size, scale, 0, 0, 1);
}

RgbaPicture DrawIcon(int side)
{
    return Draw({side, side}, IconScale(side), IconTop(side), IconMinStroke(side), 0);
}

std::string IconSvg(int side)
{
    return Svg({side, side}, IconScale(side), IconTop(side), IconMinStroke(side), false);
}

std::string LogoSvg() { return Svg(kLogoSize, 1.0, 0.0, 0.0, true); }

}  // namespace levelwise::form
