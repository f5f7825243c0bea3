#pragma once

#include "Settings.h"

#include <vector>

namespace agendrix {

// The area of one screen that windows may use, in pixels of the whole desktop.
struct ScreenArea {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};

// The settings with every placement brought onto the screens, so that whatever a settings file
// holds gives a window the user can see and move:
// - the window belongs on the screen that shows most of its title strip (else the screen
//   nearest to its top left corner); it is at least the 200 by 80 pixels the window grip
//   allows and never larger than that screen, its title strip is not above the screen's top,
//   and at least 120 pixels of the strip (the 70 of the window buttons and 50 to hold) and
//   its full 30-pixel height stay on the screen;
// - DockWid (twips) lies between the least window width and that screen's width, and
//   DockTabTop (twips) keeps 30 pixels of the drag tab on that screen;
// - AccTextHgt lies between 32 and 360 pixels, as the block's grip keeps it.
// Without any screen a 1024 by 768 screen at the origin stands in.
Settings FitToScreens(Settings settings, const std::vector<ScreenArea>& screens, double twipsPerPix);

} // namespace agendrix
