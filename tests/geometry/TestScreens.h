#pragma once

#include "skin/PixelRect.h"

namespace agendrix::test {

// A single 1280 by 800 screen, and the right of two screens side by side under a 30-pixel panel:
// the places the menu and the sidebar must keep to.
inline constexpr PixelRect Screen { 0, 0, 1280, 800 };
inline constexpr PixelRect RightScreen { 1280, 30, 1024, 738 };

} // namespace agendrix::test
