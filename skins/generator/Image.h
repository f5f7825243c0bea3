#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace agendrix::skins {

struct Rgb {
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;

    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb Black { 0, 0, 0 };
inline constexpr Rgb White { 255, 255, 255 };
// Pixels of main.bmp that the window never copies (the rows and columns between pieces).
inline constexpr Rgb Unused { 255, 0, 255 };

// t = 0 gives a, t = 1 gives b; components are rounded to the nearest integer.
Rgb Mix(Rgb a, Rgb b, double t);
inline Rgb Lighter(Rgb c, double t) { return Mix(c, White, t); }
inline Rgb Darker(Rgb c, double t) { return Mix(c, Black, t); }

struct Rect {
    int X = 0;
    int Y = 0;
    int W = 0;
    int H = 0;

    int Right() const { return X + W; } // one past the last column
    int Bottom() const { return Y + H; } // one past the last row
    Rect Inset(int d) const { return { X + d, Y + d, W - 2 * d, H - 2 * d }; }
    Rect Moved(int dx, int dy) const { return { X + dx, Y + dy, W, H }; }
    bool operator==(const Rect&) const = default;
};

// A 24-bit picture, origin at the top-left corner. Writes outside the picture are ignored, so
// shapes may be drawn partly off the edge.
class Image {
public:
    Image() = default;
    Image(int width, int height, Rgb fill = Black);

    int Width() const { return W; }
    int Height() const { return H; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < W && y < H; }

    Rgb At(int x, int y) const;
    void Set(int x, int y, Rgb c);
    // Lays c over the pixel with the given opacity (0 keeps the pixel, 1 replaces it).
    void Blend(int x, int y, Rgb c, double opacity);
    void Fill(Rect r, Rgb c);
    void HLine(int x0, int x1, int y, Rgb c); // x0..x1 inclusive
    void VLine(int x, int y0, int y1, Rgb c); // y0..y1 inclusive

    // Copies `from` of `source` so that its top-left corner lands on (x, y).
    void Paste(const Image& source, Rect from, int x, int y);
    void Paste(const Image& source, int x, int y) { Paste(source, { 0, 0, source.W, source.H }, x, y); }
    Image Crop(Rect r) const;

    // An uncompressed 24-bit Windows bitmap: BI_RGB, rows bottom-up, each padded to 4 bytes.
    std::vector<std::uint8_t> BmpBytes() const;

private:
    int W = 0;
    int H = 0;
    std::vector<Rgb> Pixels;
};

// Writes the bytes to the file, replacing it; throws std::runtime_error on failure.
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
void WriteFile(const std::string& path, const std::string& text);

// ----- Drawing helpers ------------------------------------------------------------------------

// Each row of r gets one colour, from `top` in the first row to `bottom` in the last.
void VerticalGradient(Image& img, Rect r, Rgb top, Rgb bottom);
// A one-pixel frame: `topLeft` along the top and left edges, `bottomRight` along the others.
void Bevel(Image& img, Rect r, Rgb topLeft, Rgb bottomRight);
void Frame(Image& img, Rect r, Rgb c);

// A region given by a test on points of the plane (pixel (x, y) covers [x, x+1) x [y, y+1)).
using Region = std::function<bool(double x, double y)>;
// Colour of a point of a shape; lets a shape carry its own shading.
using Shader = std::function<Rgb(double x, double y)>;

// Paints the part of `bounds` covered by the region, blending edge pixels by the share of 4x4
// sample points that fall inside; `opacity` scales the whole shape.
void FillRegion(Image& img, Rect bounds, const Region& inside, const Shader& colour, double opacity = 1.0);
void FillRegion(Image& img, Rect bounds, const Region& inside, Rgb colour, double opacity = 1.0);

Region RoundedBox(double x0, double y0, double x1, double y1, double radius);
Region Disc(double cx, double cy, double radius);
Region EllipseRegion(double cx, double cy, double rx, double ry);
// Points within halfWidth of the segment (a capsule).
Region Segment(double ax, double ay, double bx, double by, double halfWidth);
// Points within halfWidth of any segment of the polyline.
Region Polyline(const std::vector<std::pair<double, double>>& points, double halfWidth);
Region Triangle(double ax, double ay, double bx, double by, double cx, double cy);
Region Union(Region a, Region b);
Region Minus(Region a, Region b);

} // namespace agendrix::skins
