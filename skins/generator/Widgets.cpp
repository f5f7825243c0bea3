#include "Widgets.h"

#include "PixelFont.h"

#include <cmath>

namespace agendrix::skins {

namespace {

    struct FaceColours {
        Rgb Outline;
        Rgb Top;
        Rgb Bottom;
    };

    FaceColours ColoursOf(const Theme& theme, Face face)
    {
        switch (face) {
        case Face::Hover:
            return { theme.HoverOutline, theme.HoverTop, theme.HoverBottom };
        case Face::Pressed:
            return { theme.ButtonOutline, theme.PressedTop, theme.PressedBottom };
        case Face::Normal:
        case Face::Focused:
            break;
        }
        return { theme.ButtonOutline, theme.ButtonTop, theme.ButtonBottom };
    }

    Shader VerticalShade(Rgb top, Rgb bottom, double y0, double y1)
    {
        return [=](double, double y) {
            const double t = y1 > y0 ? (y - y0) / (y1 - y0) : 0.0;
            return Mix(top, bottom, t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t));
        };
    }

} // namespace

void DrawButtonFace(Image& img, const Theme& theme, Rect r, Face face, double radius)
{
    const FaceColours c = ColoursOf(theme, face);
    const double x0 = r.X;
    const double y0 = r.Y;
    const double x1 = r.Right();
    const double y1 = r.Bottom();
    FillRegion(img, r, RoundedBox(x0, y0, x1, y1, radius), c.Outline);
    const Region inner = RoundedBox(x0 + 1, y0 + 1, x1 - 1, y1 - 1, radius > 1.0 ? radius - 1.0 : 0.0);
    FillRegion(img, r, inner, VerticalShade(c.Top, c.Bottom, y0 + 1.5, y1 - 1.5));
    if (face == Face::Pressed) {
        // A soft shadow under the top edge instead of the light row.
        FillRegion(img, { r.X, r.Y + 1, r.W, 1 }, inner, Darker(c.Top, 0.25), 0.6);
    } else {
        FillRegion(img, { r.X, r.Y + 1, r.W, 1 }, inner, theme.ButtonGloss, 0.55);
    }
    if (face == Face::Focused) {
        const Region ring
            = Minus(inner, RoundedBox(x0 + 2, y0 + 2, x1 - 2, y1 - 2, radius > 2.0 ? radius - 2.0 : 0.0));
        FillRegion(img, r, ring, theme.Accent, 0.9);
    }
}

void DrawSmallButton(Image& img, const Theme& theme, Rect r, Face face)
{
    const FaceColours c = ColoursOf(theme, face);
    VerticalGradient(img, r.Inset(1), c.Top, c.Bottom);
    Frame(img, r, c.Outline);
    if (face == Face::Pressed)
        img.HLine(r.X + 1, r.Right() - 2, r.Y + 1, Darker(c.Top, 0.15));
    else
        img.HLine(r.X + 1, r.Right() - 2, r.Y + 1, Mix(c.Top, theme.ButtonGloss, 0.6));
}

void DrawField(Image& img, const Theme& theme, Rect r, Rgb fill)
{
    img.Fill(r, fill);
    Bevel(img, { r.X - 1, r.Y - 1, r.W + 2, r.H + 2 }, theme.GroupDark, theme.GroupLight);
}

void DrawGroup(Image& img, const Theme& theme, Rect r, const char* caption)
{
    Frame(img, { r.X + 1, r.Y + 1, r.W - 1, r.H - 1 }, theme.GroupLight);
    Frame(img, { r.X, r.Y, r.W - 1, r.H - 1 }, theme.GroupDark);
    const int textWidth = PixelFont::Width(caption, true);
    img.Fill({ r.X + 6, r.Y - 3, textWidth + 6, PixelFont::CapHeight }, theme.PanelBack);
    PixelFont::Draw(img, r.X + 9, r.Y - 3, caption, theme.PanelText, true);
}

void DrawEtchedLine(Image& img, const Theme& theme, int x0, int x1, int y)
{
    img.HLine(x0, x1, y, theme.GroupDark);
    img.HLine(x0, x1, y + 1, theme.GroupLight);
}

void DrawCross(Image& img, double cx, double cy, double half, double thickness, Rgb c)
{
    const Rect bounds { static_cast<int>(std::floor(cx - half - thickness)),
        static_cast<int>(std::floor(cy - half - thickness)), static_cast<int>(2 * (half + thickness)) + 2,
        static_cast<int>(2 * (half + thickness)) + 2 };
    const double w = thickness / 2;
    FillRegion(img, bounds,
        Union(Segment(cx - half, cy - half, cx + half, cy + half, w),
            Segment(cx - half, cy + half, cx + half, cy - half, w)),
        c);
}

void DrawTick(Image& img, double cx, double cy, double scale, double thickness, Rgb c)
{
    const Rect bounds { static_cast<int>(std::floor(cx - 6 * scale)),
        static_cast<int>(std::floor(cy - 6 * scale)), static_cast<int>(12 * scale) + 2,
        static_cast<int>(12 * scale) + 2 };
    FillRegion(img, bounds,
        Polyline({ { cx - 4.0 * scale, cy + 0.0 * scale }, { cx - 1.4 * scale, cy + 2.7 * scale },
                     { cx + 4.0 * scale, cy - 3.0 * scale } },
            thickness / 2),
        c);
}

void DrawInfoMark(Image& img, double cx, double cy, Rgb disc, Rgb letter)
{
    const Rect bounds { static_cast<int>(cx) - 7, static_cast<int>(cy) - 7, 15, 15 };
    FillRegion(img, bounds, Disc(cx, cy, 5.6), Darker(disc, 0.25));
    FillRegion(img, bounds, Disc(cx, cy, 4.7),
        [&](double, double y) { return Mix(Lighter(disc, 0.25), disc, (y - (cy - 4.7)) / 9.4); });
    FillRegion(img, bounds, Disc(cx, cy - 2.6, 1.05), letter);
    FillRegion(img, bounds, RoundedBox(cx - 0.95, cy - 0.9, cx + 0.95, cy + 3.4, 0.3), letter);
}

void DrawFolder(Image& img, double cx, double cy, Rgb body, Rgb outline, Rgb arrow)
{
    const Rect bounds { static_cast<int>(cx) - 8, static_cast<int>(cy) - 7, 17, 15 };
    // Back with its tab, then the front flap.
    const Region back = Union(RoundedBox(cx - 6.5, cy - 4.5, cx - 1.5, cy - 1.0, 1.0),
        RoundedBox(cx - 6.5, cy - 3.0, cx + 6.0, cy + 4.5, 1.0));
    FillRegion(img, bounds, back, outline);
    FillRegion(img, bounds, RoundedBox(cx - 5.5, cy - 3.5, cx - 2.5, cy - 1.0, 0.5), Darker(body, 0.12));
    FillRegion(img, bounds, RoundedBox(cx - 5.5, cy - 2.0, cx + 5.0, cy + 3.5, 0.5), Darker(body, 0.12));
    const Region front = RoundedBox(cx - 5.5, cy - 0.5, cx + 5.0, cy + 3.5, 0.5);
    FillRegion(
        img, bounds, front, [&](double, double y) { return Mix(Lighter(body, 0.35), body, (y - cy) / 4.0); });
    // A small arrow into the folder: "go there".
    FillRegion(img, bounds, Segment(cx - 2.0, cy + 1.5, cx + 2.0, cy + 1.5, 0.55), arrow);
    FillRegion(img, bounds, Triangle(cx + 3.3, cy + 1.5, cx + 1.0, cy - 0.6, cx + 1.0, cy + 3.6), arrow);
}

void DrawPencil(Image& img, double cx, double cy, const Theme& theme)
{
    const double s = 1.0 / std::sqrt(2.0);
    // Axis coordinates: u runs from the point (lower left) to the eraser (upper right), v across.
    auto axis = [=](double x, double y, double& u, double& v) {
        u = ((x - cx) - (y - cy)) * s;
        v = ((x - cx) + (y - cy)) * s;
    };
    const double half = 1.9;
    auto pencil = [=](double grow) {
        return Region([=](double x, double y) {
            double u = 0;
            double v = 0;
            axis(x, y, u, v);
            if (u < -6.2 - grow || u > 6.0 + grow)
                return false;
            const double width = u < -2.6 ? half * (u + 6.2) / 3.6 + grow : half + grow;
            return std::abs(v) <= width;
        });
    };
    auto band = [=](double from, double to) {
        return Region([=](double x, double y) {
            double u = 0;
            double v = 0;
            axis(x, y, u, v);
            const double width = u < -2.6 ? half * (u + 6.2) / 3.6 : half;
            return u >= from && u < to && std::abs(v) <= width;
        });
    };
    const Rect bounds { static_cast<int>(cx) - 8, static_cast<int>(cy) - 8, 17, 17 };
    const Rgb outline = Darker(theme.Pencil, 0.55);
    FillRegion(img, bounds, pencil(0.75), outline);
    FillRegion(img, bounds, band(-6.2, -2.6), Rgb { 236, 206, 158 }); // bare wood
    FillRegion(img, bounds, band(-6.2, -4.6), Rgb { 60, 60, 66 }); // lead
    FillRegion(img, bounds, band(-2.6, 3.4), [&](double x, double y) {
        double u = 0;
        double v = 0;
        axis(x, y, u, v);
        return v < -0.4 ? Lighter(theme.Pencil, 0.35) : theme.Pencil;
    });
    FillRegion(img, bounds, band(3.4, 4.4), Rgb { 176, 180, 190 }); // ferrule
    FillRegion(img, bounds, band(4.4, 6.0), Rgb { 232, 128, 140 }); // eraser
}

void DrawChevronsLeft(Image& img, double cx, double cy, Rgb c)
{
    const Rect bounds { static_cast<int>(cx) - 6, static_cast<int>(cy) - 6, 13, 13 };
    for (double dx : { -2.0, 2.0 })
        FillRegion(img, bounds,
            Polyline(
                { { cx + dx + 1.3, cy - 3.0 }, { cx + dx - 1.7, cy }, { cx + dx + 1.3, cy + 3.0 } }, 0.75),
            c);
}

void DrawMenuLines(Image& img, int x, int y, int width, Rgb c)
{
    for (int i = 0; i < 3; ++i)
        img.HLine(x, x + width - 1, y + 3 * i, c);
}

void DrawArrow(Image& img, int cx, int top, int base, bool up, Rgb c)
{
    const int rows = (base + 1) / 2;
    for (int i = 0; i < rows; ++i) {
        const int half = up ? i : rows - 1 - i;
        img.HLine(cx - half, cx + half, top + i, c);
    }
}

void DrawLed(Image& img, double cx, double cy, double radius, Rgb colour, bool lit)
{
    const Rect bounds { static_cast<int>(cx - radius) - 2, static_cast<int>(cy - radius) - 2,
        static_cast<int>(2 * radius) + 5, static_cast<int>(2 * radius) + 5 };
    FillRegion(img, bounds, Disc(cx, cy, radius), Darker(colour, lit ? 0.45 : 0.55));
    const Rgb body = lit ? colour : Mix(colour, Rgb { 128, 128, 128 }, 0.7);
    FillRegion(img, bounds, Disc(cx, cy, radius - 0.9), [&](double x, double y) {
        const double dx = x - (cx - radius * 0.3);
        const double dy = y - (cy - radius * 0.35);
        const double d = std::sqrt(dx * dx + dy * dy) / (radius * 1.5);
        return Mix(Lighter(body, lit ? 0.55 : 0.3), Darker(body, 0.2), d > 1.0 ? 1.0 : d);
    });
    FillRegion(img, bounds, EllipseRegion(cx - radius * 0.15, cy - radius * 0.5, radius * 0.5, radius * 0.3),
        White, lit ? 0.75 : 0.4);
}

} // namespace agendrix::skins
