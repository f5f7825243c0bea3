#include "WindowPlacement.h"

#include <algorithm>

namespace agendrix {

namespace {

    constexpr double MinWindowWidth = 200;
    constexpr double MinWindowHeight = 80;
    constexpr double TitleHeight = 30;
    constexpr double GrabWidth = 120;
    constexpr int MinBlockHeight = 32;
    constexpr int MaxBlockHeight = 360;

    // Like std::clamp, except that the upper bound wins when it is below the lower one: a
    // screen smaller than the least window size still gets a window no larger than itself.
    double Limit(double value, double low, double high) { return std::min(std::max(value, low), high); }

    double Overlap(double start, double length, double areaStart, double areaLength)
    {
        return std::max(0.0, std::min(start + length, areaStart + areaLength) - std::max(start, areaStart));
    }

    double DistanceSquared(double x, double y, const ScreenArea& screen)
    {
        const double dx = x - Limit(x, screen.Left, screen.Left + screen.Width);
        const double dy = y - Limit(y, screen.Top, screen.Top + screen.Height);
        return dx * dx + dy * dy;
    }

    const ScreenArea& ScreenOf(const Settings& settings, const std::vector<ScreenArea>& screens)
    {
        const double width = std::max(settings.WinWidth, MinWindowWidth);
        const ScreenArea* best = nullptr;
        double bestShown = 0;
        for (const ScreenArea& screen : screens) {
            const double shown = Overlap(settings.WinLeft, width, screen.Left, screen.Width)
                * Overlap(settings.WinTop, TitleHeight, screen.Top, screen.Height);
            if (shown > bestShown) {
                best = &screen;
                bestShown = shown;
            }
        }
        if (best != nullptr)
            return *best;
        return *std::min_element(
            screens.begin(), screens.end(), [&](const ScreenArea& a, const ScreenArea& b) {
                return DistanceSquared(settings.WinLeft, settings.WinTop, a)
                    < DistanceSquared(settings.WinLeft, settings.WinTop, b);
            });
    }

} // namespace

Settings FitToScreens(Settings settings, const std::vector<ScreenArea>& screens, double twipsPerPix)
{
    static const std::vector<ScreenArea> StandIn { ScreenArea { 0, 0, 1024, 768 } };
    const ScreenArea& screen = ScreenOf(settings, screens.empty() ? StandIn : screens);
    const double lowestTop = screen.Top + std::max(screen.Height - TitleHeight, 0.0);

    settings.WinWidth = Limit(settings.WinWidth, MinWindowWidth, screen.Width);
    settings.WinHeight = Limit(settings.WinHeight, MinWindowHeight, screen.Height);
    settings.WinLeft = Limit(settings.WinLeft, screen.Left - std::max(settings.WinWidth - GrabWidth, 0.0),
        screen.Left + std::max(screen.Width - GrabWidth, 0.0));
    settings.WinTop = Limit(settings.WinTop, screen.Top, lowestTop);
    settings.DockWid = Limit(settings.DockWid, MinWindowWidth * twipsPerPix, screen.Width * twipsPerPix);
    settings.DockTabTop = Limit(settings.DockTabTop, screen.Top * twipsPerPix, lowestTop * twipsPerPix);
    settings.AccTextHgt = std::clamp(settings.AccTextHgt, MinBlockHeight, MaxBlockHeight);
    return settings;
}

} // namespace agendrix
