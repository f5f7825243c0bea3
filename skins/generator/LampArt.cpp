// The priority lamps: soft round lamps whose colour tells the priority at a glance, lit from the
// upper left, each over the row background it is shown on.

#include "ListWindowArt.h"
#include "SkinLayout.h"

#include <cmath>
#include <stdexcept>

namespace agendrix::skins {

using namespace ListLayout;

namespace {

    double Clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

    // A crack from the upper right to the lower left of the lamp.
    std::vector<std::pair<double, double>> CrackPath(double cx, double cy, double r)
    {
        return { { cx + 0.55 * r, cy - 0.75 * r }, { cx + 0.1 * r, cy - 0.2 * r },
            { cx + 0.35 * r, cy + 0.05 * r }, { cx - 0.2 * r, cy + 0.45 * r },
            { cx - 0.05 * r, cy + 0.6 * r }, { cx - 0.45 * r, cy + 0.85 * r } };
    }

} // namespace

LampLook LampLookOf(int band)
{
    switch (band) {
    case 10: // completed
        return { { 26, 150, 170 }, true, LampMark::Tick };
    case 9: // unprioritized
        return { { 148, 154, 162 }, false, LampMark::None };
    case 8: // level 1, low
        return { { 56, 176, 70 }, true, LampMark::None };
    case 7: // level 2
        return { { 148, 198, 36 }, true, LampMark::None };
    case 6: // level 3, middle
        return { { 244, 208, 30 }, true, LampMark::None };
    case 5: // level 4
        return { { 252, 168, 22 }, true, LampMark::None };
    case 4: // level 5, high
        return { { 246, 122, 26 }, true, LampMark::None };
    case 3: // level 6, very high
        return { { 236, 74, 30 }, true, LampMark::None };
    case 2: // level 7, extreme
        return { { 232, 26, 34 }, true, LampMark::None };
    case 1: // broken
    case 11: // flicker: the steady frame, shown most of the time
        return { { 112, 22, 20 }, false, LampMark::Crack };
    case 12: // flicker: a spark in the crack
        return { { 150, 32, 24 }, true, LampMark::GlowingCrack };
    case 13: // flicker: nearly dark
        return { { 62, 14, 14 }, false, LampMark::Crack };
    default:
        throw std::invalid_argument("no lamp for band " + std::to_string(band));
    }
}

void DrawLamp(Image& img, double cx, double cy, double r, const LampLook& look, double shadow)
{
    const Rect bounds { static_cast<int>(std::floor(cx - r)) - 2, static_cast<int>(std::floor(cy - r)) - 2,
        static_cast<int>(2 * r) + 6, static_cast<int>(2 * r) + 6 };

    // A soft shadow below, then the rim, the shaded glass and its highlight.
    FillRegion(img, bounds, Disc(cx + 0.3, cy + 1.3, r + 0.8), Black, shadow * 0.45);
    FillRegion(img, bounds, Disc(cx + 0.2, cy + 0.8, r + 0.2), Black, shadow * 0.6);
    FillRegion(img, bounds, Disc(cx, cy, r), Darker(look.Body, look.Lit ? 0.42 : 0.5));

    const double lightX = cx - 0.35 * r;
    const double lightY = cy - 0.45 * r;
    const Rgb centre = Lighter(look.Body, look.Lit ? 0.5 : 0.28);
    const Rgb edge = Darker(look.Body, look.Lit ? 0.18 : 0.3);
    FillRegion(img, bounds, Disc(cx, cy, r - 1.0), [&](double x, double y) {
        const double dx = x - lightX;
        const double dy = y - lightY;
        const double d = std::sqrt(dx * dx + dy * dy);
        const Rgb lit = Mix(centre, look.Body, Clamp01(d / (0.9 * r)));
        return Mix(lit, edge, Clamp01((d - 0.9 * r) / (0.7 * r)));
    });
    if (look.Lit) // light thrown back from inside the glass
        FillRegion(img, bounds, EllipseRegion(cx + 0.1 * r, cy + 0.5 * r, 0.55 * r, 0.3 * r),
            Lighter(look.Body, 0.45), 0.45);

    const double k = r / LampRadius; // marks are drawn for the list's lamp and scaled with it
    switch (look.Mark) {
    case LampMark::Tick:
        DrawTick(img, cx + 0.5 * k, cy + 0.8 * k, 0.78 * k, 2.1 * k, Darker(look.Body, 0.55));
        DrawTick(img, cx, cy + 0.2 * k, 0.78 * k, 2.0 * k, White);
        break;
    case LampMark::Crack:
        // A dark fracture with light catching on its lower edge.
        FillRegion(
            img, bounds, Polyline(CrackPath(cx + 0.7, cy + 0.7, r), 0.55), Lighter(look.Body, 0.6), 0.85);
        FillRegion(img, bounds, Polyline(CrackPath(cx, cy, r), 0.6), Darker(look.Body, 0.75));
        break;
    case LampMark::GlowingCrack:
        FillRegion(img, bounds, Polyline(CrackPath(cx, cy, r), 1.6), Rgb { 255, 120, 40 }, 0.45);
        FillRegion(img, bounds, Polyline(CrackPath(cx, cy, r), 0.65), Rgb { 255, 226, 120 });
        break;
    case LampMark::None:
        break;
    }

    FillRegion(img, bounds, EllipseRegion(cx - 0.12 * r, cy - 0.5 * r, 0.52 * r, 0.3 * r), White,
        look.Lit ? 0.8 : 0.5);
}

Image LampBitmap(const Theme& theme)
{
    constexpr int bands = 13;
    Image lamps(LampWidth, bands * LampBand);
    for (int b = 0; b < bands; ++b) {
        const int top = b * LampBand;
        // The band's first row lies on the rule above its row; the others on the row itself.
        lamps.HLine(0, LampWidth - 1, top, theme.Rule);
        for (int y = 1; y < LampBand; ++y)
            lamps.HLine(0, LampWidth - 1, top + y, RowBackground(theme, y - 1));
        // Bands 0-9 are the codes 10 down to 1, bands 10-12 the broken lamp's flicker frames.
        const int look = b < 10 ? 10 - b : b + 1;
        DrawLamp(lamps, LampCentreX, top + LampCentreY, LampRadius, LampLookOf(look), theme.LampShadow);
    }
    return lamps;
}

} // namespace agendrix::skins
