#pragma once

#include "RowLayout.h"
#include "SurfaceLayout.h"

namespace agendrix {

// The parts of the list window a point can be on.
enum class ListArea {
    Background,
    WindowButtons,
    ScrollUp,
    ScrollDown,
    Thumb,
    Track,
    ResizeGrip,
    BlockGrip,
    MenuButton,
    Row,
    Details, // the open information block's text
};
enum class RowPart { None, Lamp, Label, Bar };

struct ListHit {
    ListArea Area = ListArea::Background;
    int Row = -1; // the visible row, counted from 0, when Area is Row
    RowPart Part = RowPart::None;
    // The point measured from the top-left corner of what it is on (the strip of window buttons,
    // a row's control bar, ...); on the background, the window's point itself.
    int X = 0;
    int Y = 0;
};

// What lies at a point of the window (its own pixels) laid out as `surface` and `rows` say, with
// the thumb's top at `thumbTop`. Where controls overlap, the first of this order wins: window
// buttons, scroll buttons, thumb, track, window grip, block grip (only while a block is open),
// menu button, rows (a row's control bar before its lamp and its description, over which the open
// bar reaches), the open block.
ListHit HitAt(const SurfaceLayout& surface, const RowLayout& rows, float thumbTop, int x, int y);

} // namespace agendrix
