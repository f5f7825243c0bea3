#include "Image.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <utility>

namespace agendrix::skins {

namespace {

    std::uint8_t Channel(double v)
    {
        const double rounded = std::floor(v + 0.5);
        return static_cast<std::uint8_t>(std::clamp(rounded, 0.0, 255.0));
    }

    void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t v)
    {
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
        out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    }

    void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t v)
    {
        PutLe16(out, v & 0xFFFF);
        PutLe16(out, v >> 16);
    }

    // Sample points of a pixel for the coverage of a shape: a 4 by 4 grid at the centres of
    // sixteenths, so that the result depends on nothing but the shape.
    constexpr int SampleGrid = 4;

} // namespace

Rgb Mix(Rgb a, Rgb b, double t)
{
    return { Channel(a.R + (b.R - a.R) * t), Channel(a.G + (b.G - a.G) * t), Channel(a.B + (b.B - a.B) * t) };
}

Image::Image(int width, int height, Rgb fill)
    : W(width)
    , H(height)
    , Pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill)
{
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("an image needs a positive size");
}

Rgb Image::At(int x, int y) const
{
    if (!Contains(x, y))
        throw std::out_of_range("pixel outside the image");
    return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(W) + static_cast<std::size_t>(x)];
}

void Image::Set(int x, int y, Rgb c)
{
    if (Contains(x, y))
        Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(W) + static_cast<std::size_t>(x)] = c;
}

void Image::Blend(int x, int y, Rgb c, double opacity)
{
    if (!Contains(x, y) || opacity <= 0.0)
        return;
    Set(x, y, opacity >= 1.0 ? c : Mix(At(x, y), c, opacity));
}

void Image::Fill(Rect r, Rgb c)
{
    for (int y = r.Y; y < r.Bottom(); ++y)
        for (int x = r.X; x < r.Right(); ++x)
            Set(x, y, c);
}

void Image::HLine(int x0, int x1, int y, Rgb c)
{
    for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
        Set(x, y, c);
}

void Image::VLine(int x, int y0, int y1, Rgb c)
{
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
        Set(x, y, c);
}

void Image::Paste(const Image& source, Rect from, int x, int y)
{
    for (int dy = 0; dy < from.H; ++dy)
        for (int dx = 0; dx < from.W; ++dx)
            if (source.Contains(from.X + dx, from.Y + dy))
                Set(x + dx, y + dy, source.At(from.X + dx, from.Y + dy));
}

Image Image::Crop(Rect r) const
{
    Image out(r.W, r.H);
    out.Paste(*this, r, 0, 0);
    return out;
}

std::vector<std::uint8_t> Image::BmpBytes() const
{
    const std::uint32_t stride = (static_cast<std::uint32_t>(W) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(H);
    constexpr std::uint32_t headerSize = 14 + 40;
    constexpr std::uint32_t pixelsPerMetre = 3780; // 96 dots per inch, the size the skins are drawn for

    std::vector<std::uint8_t> out;
    out.reserve(headerSize + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutLe32(out, headerSize + imageSize);
    PutLe32(out, 0); // reserved
    PutLe32(out, headerSize);
    PutLe32(out, 40);
    PutLe32(out, static_cast<std::uint32_t>(W));
    PutLe32(out, static_cast<std::uint32_t>(H)); // positive: bottom-up rows
    PutLe16(out, 1); // planes
    PutLe16(out, 24); // bits per pixel
    PutLe32(out, 0); // BI_RGB
    PutLe32(out, imageSize);
    PutLe32(out, pixelsPerMetre);
    PutLe32(out, pixelsPerMetre);
    PutLe32(out, 0); // colours used
    PutLe32(out, 0); // important colours
    for (int y = H - 1; y >= 0; --y) {
        for (int x = 0; x < W; ++x) {
            const Rgb c = At(x, y);
            out.push_back(c.B);
            out.push_back(c.G);
            out.push_back(c.R);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(W) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        throw std::runtime_error("cannot write " + path);
}

void WriteFile(const std::string& path, const std::string& text)
{
    WriteFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void VerticalGradient(Image& img, Rect r, Rgb top, Rgb bottom)
{
    for (int y = r.Y; y < r.Bottom(); ++y) {
        const double t = r.H > 1 ? static_cast<double>(y - r.Y) / (r.H - 1) : 0.0;
        img.HLine(r.X, r.Right() - 1, y, Mix(top, bottom, t));
    }
}

void Bevel(Image& img, Rect r, Rgb topLeft, Rgb bottomRight)
{
    img.HLine(r.X, r.Right() - 1, r.Y, topLeft);
    img.VLine(r.X, r.Y, r.Bottom() - 1, topLeft);
    img.HLine(r.X, r.Right() - 1, r.Bottom() - 1, bottomRight);
    img.VLine(r.Right() - 1, r.Y, r.Bottom() - 1, bottomRight);
}

void Frame(Image& img, Rect r, Rgb c) { Bevel(img, r, c, c); }

void FillRegion(Image& img, Rect bounds, const Region& inside, const Shader& colour, double opacity)
{
    constexpr double step = 1.0 / SampleGrid;
    for (int y = bounds.Y; y < bounds.Bottom(); ++y) {
        for (int x = bounds.X; x < bounds.Right(); ++x) {
            int hits = 0;
            for (int sy = 0; sy < SampleGrid; ++sy)
                for (int sx = 0; sx < SampleGrid; ++sx)
                    if (inside(x + (sx + 0.5) * step, y + (sy + 0.5) * step))
                        ++hits;
            if (hits > 0)
                img.Blend(x, y, colour(x + 0.5, y + 0.5), opacity * hits / (SampleGrid * SampleGrid));
        }
    }
}

void FillRegion(Image& img, Rect bounds, const Region& inside, Rgb colour, double opacity)
{
    FillRegion(
        img, bounds, inside, [colour](double, double) { return colour; }, opacity);
}

Region RoundedBox(double x0, double y0, double x1, double y1, double radius)
{
    return [=](double x, double y) {
        if (x < x0 || x > x1 || y < y0 || y > y1)
            return false;
        const double cx = std::clamp(x, x0 + radius, x1 - radius);
        const double cy = std::clamp(y, y0 + radius, y1 - radius);
        const double dx = x - cx;
        const double dy = y - cy;
        return dx * dx + dy * dy <= radius * radius;
    };
}

Region Disc(double cx, double cy, double radius) { return EllipseRegion(cx, cy, radius, radius); }

Region EllipseRegion(double cx, double cy, double rx, double ry)
{
    return [=](double x, double y) {
        const double dx = (x - cx) / rx;
        const double dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    };
}

Region Segment(double ax, double ay, double bx, double by, double halfWidth)
{
    return [=](double x, double y) {
        const double vx = bx - ax;
        const double vy = by - ay;
        const double len2 = vx * vx + vy * vy;
        double t = len2 > 0.0 ? ((x - ax) * vx + (y - ay) * vy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double dx = x - (ax + t * vx);
        const double dy = y - (ay + t * vy);
        return dx * dx + dy * dy <= halfWidth * halfWidth;
    };
}

Region Polyline(const std::vector<std::pair<double, double>>& points, double halfWidth)
{
    std::vector<Region> parts;
    for (std::size_t i = 1; i < points.size(); ++i)
        parts.push_back(
            Segment(points[i - 1].first, points[i - 1].second, points[i].first, points[i].second, halfWidth));
    return [parts = std::move(parts)](double x, double y) {
        return std::any_of(parts.begin(), parts.end(), [&](const Region& r) { return r(x, y); });
    };
}

Region Triangle(double ax, double ay, double bx, double by, double cx, double cy)
{
    return [=](double x, double y) {
        const double d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by);
        const double d2 = (x - cx) * (by - cy) - (bx - cx) * (y - cy);
        const double d3 = (x - ax) * (cy - ay) - (cx - ax) * (y - ay);
        const bool negative = d1 < 0 || d2 < 0 || d3 < 0;
        const bool positive = d1 > 0 || d2 > 0 || d3 > 0;
        return !(negative && positive);
    };
}

Region Union(Region a, Region b)
{
    return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}

Region Minus(Region a, Region b)
{
    return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && !b(x, y); };
}

} // namespace agendrix::skins
