// The file-type icons are described once as a few shapes on a 256-unit canvas; the bitmaps and
// the SVG are both made from that description, so they cannot drift apart.

#include "IconArt.h"

#include "Png.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace agendrix::skins {

namespace {

    constexpr double Canvas = 256.0;

    struct IconBox {
        double X0, Y0, X1, Y1, Radius;
        Rgb Colour;
    };

    struct IconDisc {
        double Cx, Cy, Radius;
        Rgb Colour;
    };

    // A line of the given width with round ends and joins.
    struct IconStroke {
        std::vector<std::pair<double, double>> Points;
        double Width;
        Rgb Colour;
    };

    // Drawn in this order: boxes, then discs, then strokes.
    struct IconScene {
        std::vector<IconBox> Boxes;
        std::vector<IconDisc> Discs;
        std::vector<IconStroke> Strokes;
    };

    constexpr Rgb Edge { 70, 80, 98 };
    constexpr Rgb Paper { 248, 249, 252 };
    constexpr Rgb TextGrey { 128, 136, 148 };
    constexpr Rgb ListBand { 44, 96, 168 };
    constexpr Rgb CompletedTeal { 26, 150, 170 };
    // The lamps of the extreme, high, middle and low priorities, as the skins draw them.
    constexpr std::array<Rgb, 4> LampColours { { { 232, 26, 34 }, { 246, 122, 26 }, { 244, 208, 30 },
        { 56, 176, 70 } } };
    constexpr std::array<double, 4> RowY { 106, 144, 182, 220 };
    constexpr std::array<double, 4> RowEnd { 196, 176, 188, 160 };

    IconScene SheetScene(Rgb band)
    {
        IconScene scene;
        scene.Boxes.push_back({ 34, 10, 222, 246, 26, Edge });
        scene.Boxes.push_back({ 42, 18, 214, 238, 19, Paper });
        // The band's lower corners are squared off by a second box over them.
        scene.Boxes.push_back({ 42, 18, 214, 76, 19, band });
        scene.Boxes.push_back({ 42, 56, 214, 76, 0, band });
        return scene;
    }

    IconScene SceneOf(FileIcon icon)
    {
        const bool list = icon == FileIcon::TaskList;
        IconScene scene = SheetScene(list ? ListBand : CompletedTeal);
        for (std::size_t row = 0; row < RowY.size(); ++row) {
            const double y = RowY[row];
            if (list)
                scene.Discs.push_back({ 74, y, 13, LampColours[row] });
            else
                scene.Strokes.push_back({ { { 62, y }, { 72, y + 10 }, { 88, y - 10 } }, 9, CompletedTeal });
            scene.Strokes.push_back({ { { 104, y }, { RowEnd[row], y } }, 12, TextGrey });
        }
        return scene;
    }

    // The pixels a shape from (x0, y0) to (x1, y1) on the canvas may touch at `scale`.
    Rect Bounds(double x0, double y0, double x1, double y1, double scale)
    {
        const int left = static_cast<int>(std::floor(x0 * scale)) - 1;
        const int top = static_cast<int>(std::floor(y0 * scale)) - 1;
        return { left, top, static_cast<int>(std::ceil(x1 * scale)) + 2 - left,
            static_cast<int>(std::ceil(y1 * scale)) + 2 - top };
    }

    void PaintStroke(Image& img, const IconStroke& s, double scale)
    {
        std::vector<std::pair<double, double>> points;
        double x0 = Canvas, y0 = Canvas, x1 = 0, y1 = 0;
        for (const auto& [x, y] : s.Points) {
            points.emplace_back(x * scale, y * scale);
            x0 = std::fmin(x0, x), y0 = std::fmin(y0, y), x1 = std::fmax(x1, x), y1 = std::fmax(y1, y);
        }
        const double half = s.Width / 2;
        FillRegion(img, Bounds(x0 - half, y0 - half, x1 + half, y1 + half, scale),
            Polyline(points, half * scale), s.Colour);
    }

    void Paint(Image& img, const IconScene& scene, double scale)
    {
        for (const IconBox& b : scene.Boxes)
            FillRegion(img, Bounds(b.X0, b.Y0, b.X1, b.Y1, scale),
                RoundedBox(b.X0 * scale, b.Y0 * scale, b.X1 * scale, b.Y1 * scale, b.Radius * scale),
                b.Colour);
        for (const IconDisc& d : scene.Discs)
            FillRegion(img, Bounds(d.Cx - d.Radius, d.Cy - d.Radius, d.Cx + d.Radius, d.Cy + d.Radius, scale),
                Disc(d.Cx * scale, d.Cy * scale, d.Radius * scale), d.Colour);
        for (const IconStroke& s : scene.Strokes)
            PaintStroke(img, s, scale);
    }

    std::uint8_t Clamped(double v)
    {
        return static_cast<std::uint8_t>(std::lround(std::fmin(255.0, std::fmax(0.0, v))));
    }

    std::string Hex(Rgb c)
    {
        char text[8];
        std::snprintf(text, sizeof text, "#%02x%02x%02x", c.R, c.G, c.B);
        return text;
    }

    std::string Number(double v)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%g", v);
        return text;
    }

    std::vector<std::uint8_t> Bytes(const std::string& text) { return { text.begin(), text.end() }; }

} // namespace

std::vector<std::uint8_t> IconPixels(FileIcon icon, int size)
{
    // Drawn once over black and once over white: where a pixel is covered, both agree; the
    // difference between the two gives its opacity, and the one over black its colour.
    const IconScene scene = SceneOf(icon);
    Image overBlack(size, size, Black);
    Image overWhite(size, size, White);
    Paint(overBlack, scene, size / Canvas);
    Paint(overWhite, scene, size / Canvas);
    std::vector<std::uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Rgb b = overBlack.At(x, y);
            const Rgb w = overWhite.At(x, y);
            const double seeThrough = ((w.R - b.R) + (w.G - b.G) + (w.B - b.B)) / (3.0 * 255.0);
            const double alpha = 1.0 - seeThrough;
            const double unmix = alpha > 0.0 ? 1.0 / alpha : 0.0;
            rgba.insert(rgba.end(),
                { Clamped(b.R * unmix), Clamped(b.G * unmix), Clamped(b.B * unmix), Clamped(alpha * 255.0) });
        }
    }
    return rgba;
}

std::string IconSvg(FileIcon icon)
{
    const IconScene scene = SceneOf(icon);
    std::string svg
        = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n";
    for (const IconBox& b : scene.Boxes)
        svg += "  <rect x=\"" + Number(b.X0) + "\" y=\"" + Number(b.Y0) + "\" width=\"" + Number(b.X1 - b.X0)
            + "\" height=\"" + Number(b.Y1 - b.Y0) + "\" rx=\"" + Number(b.Radius) + "\" fill=\""
            + Hex(b.Colour) + "\" stroke=\"none\"/>\n";
    for (const IconDisc& d : scene.Discs)
        svg += "  <circle cx=\"" + Number(d.Cx) + "\" cy=\"" + Number(d.Cy) + "\" r=\"" + Number(d.Radius)
            + "\" fill=\"" + Hex(d.Colour) + "\" stroke=\"none\"/>\n";
    for (const IconStroke& s : scene.Strokes) {
        std::string points;
        for (const auto& [x, y] : s.Points)
            points += (points.empty() ? "" : " ") + Number(x) + "," + Number(y);
        svg += "  <polyline points=\"" + points + "\" fill=\"none\" stroke=\"" + Hex(s.Colour)
            + "\" stroke-width=\"" + Number(s.Width)
            + "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n";
    }
    return svg + "</svg>\n";
}

std::map<std::string, std::vector<std::uint8_t>> IconThemeFiles()
{
    // The completed items icon and the list icon as file types; the list icon is also the
    // program's own.
    const std::array<std::pair<FileIcon, std::string>, 3> names { {
        { FileIcon::TaskList, "mimetypes/application-x-agendrix-list" },
        { FileIcon::Completed, "mimetypes/application-x-agendrix-completed" },
        { FileIcon::TaskList, "apps/agendrix" },
    } };
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& [icon, name] : names) {
        for (int size : IconSizes) {
            const std::string folder = std::to_string(size) + "x" + std::to_string(size) + "/";
            files[folder + name + ".png"] = PngBytes(size, size, IconPixels(icon, size));
        }
        files["scalable/" + name + ".svg"] = Bytes(IconSvg(icon));
    }
    return files;
}

} // namespace agendrix::skins
