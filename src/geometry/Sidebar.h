#pragma once

#include "skin/PixelRect.h"

namespace agendrix {

// The least width of the list window as a sidebar, in pixels.
inline constexpr int MinSidebarWidth = 200;

// Where the sidebar lies on `area`, the part of its screen that windows may use: flush with the
// area's right edge, its full height, `width` pixels wide but never narrower than
// MinSidebarWidth nor so wide that its drag tab, `tabWidth` pixels wide, leaves the area.
PixelRect SidebarRect(const PixelRect& area, int width, int tabWidth);

// Where the drag tab of `tabWidth` by `tabHeight` pixels lies: its right edge on `windowLeft`,
// the list window's left edge, and its top at `top`, kept so that the whole tab is in the
// area's height.
PixelRect DockTabRect(const PixelRect& area, int windowLeft, int tabWidth, int tabHeight, int top);

// The sidebar's width while the tab is dragged to `tabLeft`: what lies between the tab's right
// edge and the area's right edge, within the widths SidebarRect allows once the tab is on the
// area too.
int SidebarWidthForTab(const PixelRect& area, int tabWidth, int tabLeft);

// The sidebar's timer: when the window shows, when it slides away and where it is meanwhile.
// Each tick gets what the window system says now and gives where the window and its tab go and
// when the next tick comes. The window comes out while the pointer is over it or touches the tab,
// stays for ShownTicks ticks after the pointer has left it while another program is in front,
// and then slides towards the area's right edge by 1/AniSpeed of the remaining distance every
// SlideIntervalMs, after which only the tab is left on the screen.
class SidebarSlide {
public:
    static constexpr int FirstIntervalMs = 1000;
    static constexpr int ShownIntervalMs = 100;
    static constexpr int SlideIntervalMs = 10;
    static constexpr int ShownTicks = 5;
    static constexpr int TouchedTicks = 10;

    struct Input {
        PixelRect Area; // the sidebar's screen, as SidebarRect takes it
        int WindowWidth = 0;
        int TabWidth = 0;
        bool PointerOverWindow = false; // the window's edges included
        // The list window, its tab or its remote panel is the active window: the user works
        // with the sidebar, not with another program.
        bool OursInFront = false;
        bool NoHide = false; // the tab is being dragged
        int AniSpeed = 3;
        // Another screen lies beyond the area's right edge, where the window would slide onto
        // it: the window goes at once instead.
        bool ScreenBeyond = false;
    };

    enum class Action {
        Stay, // nothing moves
        Show, // the window at WindowLeft, shown, its tab at TabLeft
        Move, // one step of the slide: the window to WindowLeft, the tab to TabLeft
        Hide, // the slide has ended: the window out of sight, the tab at TabLeft at the edge;
              // the taskbar button goes and the remote panel closes
    };

    struct Step {
        Action What = Action::Stay;
        int WindowLeft = 0;
        int TabLeft = 0;
        int IntervalMs = ShownIntervalMs; // until the next tick
    };

    // The pointer touched the tab: the window comes out at the next tick.
    void Touch() { MouseOutCnt = TouchedTicks; }
    Step Tick(const Input& now);
    bool Hidden() const { return IsHidden; }
    int TicksLeft() const { return MouseOutCnt; }

private:
    Step Slide(const Input& now);

    int MouseOutCnt = ShownTicks;
    bool IsHidden = false;
    bool Sliding = false;
    double Left = 0; // the window's left while it slides, in pixels
    double PreviousLeft = 0;
};

} // namespace agendrix
