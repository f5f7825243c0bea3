#include "Sidebar.h"

#include <algorithm>
#include <cmath>

namespace agendrix {

PixelRect SidebarRect(const PixelRect& area, int width, int tabWidth)
{
    const int shown = std::clamp(width, MinSidebarWidth, std::max(MinSidebarWidth, area.Width - tabWidth));
    return PixelRect { area.Right() - shown, area.Y, shown, area.Height };
}

PixelRect DockTabRect(const PixelRect& area, int windowLeft, int tabWidth, int tabHeight, int top)
{
    const int lowest = std::max(area.Y, area.Bottom() - tabHeight);
    return PixelRect { windowLeft - tabWidth, std::clamp(top, area.Y, lowest), tabWidth, tabHeight };
}

int SidebarWidthForTab(const PixelRect& area, int tabWidth, int tabLeft)
{
    return SidebarRect(area, area.Right() - (tabLeft + tabWidth), tabWidth).Width;
}

SidebarSlide::Step SidebarSlide::Tick(const Input& now)
{
    if (now.PointerOverWindow)
        MouseOutCnt = ShownTicks;
    else if (!now.OursInFront && !now.NoHide && MouseOutCnt >= 1)
        --MouseOutCnt;
    if (now.NoHide)
        MouseOutCnt = TouchedTicks;
    const int shownLeft = SidebarRect(now.Area, now.WindowWidth, now.TabWidth).X;
    if (MouseOutCnt != 0) {
        const bool moved = IsHidden || Sliding;
        IsHidden = false;
        Sliding = false;
        Left = shownLeft;
        return Step { moved ? Action::Show : Action::Stay, shownLeft, shownLeft - now.TabWidth,
            ShownIntervalMs };
    }
    if (IsHidden)
        return Step { Action::Stay, now.Area.Right(), now.Area.Right() - now.TabWidth, ShownIntervalMs };
    return Slide(now);
}

SidebarSlide::Step SidebarSlide::Slide(const Input& now)
{
    const double hiddenLeft = now.Area.Right();
    if (!Sliding) {
        Sliding = true;
        Left = PreviousLeft = SidebarRect(now.Area, now.WindowWidth, now.TabWidth).X;
    }
    // More than a pixel of the window still on the screen: one more step.
    if (!now.ScreenBeyond && Left < hiddenLeft - 1) {
        Left += (hiddenLeft - Left) / std::max(1, now.AniSpeed);
        // Steps too small to move the window a whole pixel would never end the slide.
        if (std::lround(Left) == std::lround(PreviousLeft))
            Left = hiddenLeft;
        PreviousLeft = Left;
        const int left = static_cast<int>(std::lround(Left));
        return Step { Action::Move, left, left - now.TabWidth, SlideIntervalMs };
    }
    Sliding = false;
    IsHidden = true;
    const int edge = now.Area.Right();
    return Step { Action::Hide, edge, edge - now.TabWidth, ShownIntervalMs };
}

} // namespace agendrix
