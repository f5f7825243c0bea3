#pragma once

#include "skin/PixelRect.h"

#include <optional>
#include <vector>

namespace agendrix {

// One unscaled copy of a rectangle of main.bmp onto the window's surface at (X, Y).
struct Blit {
    PixelRect Source;
    int X = 0;
    int Y = 0;

    bool operator==(const Blit&) const = default;
};

struct SurfaceInput {
    int Width = 0; // inner size of the window in pixels
    int Height = 0;
    int ExpandLine = -1; // row whose information block is open; a row not drawn means none
    int AccTextHgt = 48; // wanted height of the information block
};

// The composition of the list window's surface for one size: what to copy from main.bmp, in
// drawing order (later copies cover earlier ones), how many rows fit, and where the fixed
// controls go. Painting and hit-testing both work from it.
struct SurfaceLayout {
    std::vector<Blit> Blits;
    int RowsShown = 0;
    std::vector<int> RowTops; // top of each drawn row band
    int UsedAccHgt = 0; // the information block's height as drawn (the wanted one, shrunk to fit)
    int TempY = 0; // first y below the last row
    std::optional<PixelRect> InfoBlock; // the open block, from its top piece to its bottom piece
    PixelRect AccDrag; // the block's resize grip, when the block is drawn
    PixelRect WindowControls; // Remote, Minimise, Maximise, Exit
    PixelRect MenuButton;
    PixelRect ActivityStrip;
    PixelRect Caption; // lblCaption; its width may be below 0 in a narrow window
    int CaptionWidth = 0;
    PixelRect ScrollUp;
    PixelRect ScrollDown;
    int SliderLeft = 0;
    PixelRect StatusLine;
    PixelRect ResizeGrip;
};

SurfaceLayout LayOutSurface(const SurfaceInput& input);

} // namespace agendrix
