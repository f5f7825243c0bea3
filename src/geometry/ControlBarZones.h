#pragma once

#include "skin/PixelRect.h"

#include <optional>
#include <string_view>

namespace agendrix {

// The five buttons of an open control bar. The values are the bar's tags: 0 collapsed, 1 open
// with no button under the pointer, 2 to 6 open with that button under the pointer.
enum class BarButton { Complete = 2, Information = 3, GoToFile = 4, Edit = 5, Close = 6 };

inline constexpr int BarTagCollapsed = 0;
inline constexpr int BarTagOpen = 1;
inline constexpr std::string_view ExpandBarText = "Expand Control Bar";

// The button under a point of the open bar (pixels of the bar). Every bound is strict, every
// button needs 3 < y < 16, and the buttons are tried in the order close, complete, information,
// file, edit, so that the first whose range holds the point wins.
std::optional<BarButton> BarButtonAt(int x, int y);
// True when the point lies in that button's own range.
bool InsideBarButton(BarButton button, int x, int y);
// The button's tooltip and status text, e.g. "Mark task as completed".
std::string_view BarButtonText(BarButton button);

enum class BarCellState { Normal, Highlighted, Pressed };

// Where a button's picture goes on the open bar, and which cell of buttons.bmp it is copied from:
// the close handle at (2, 0), key i at (22 + 18 i, 2).
PixelRect BarButtonTarget(BarButton button);
PixelRect BarButtonCell(BarButton button, BarCellState state);
// The collapsed bar's expand handle, drawn at (2, 0) of the bar.
PixelRect ExpandHandleCell(BarCellState state);

enum class BarShape { Collapsed, Open };

// A picture drawn over a control bar: a cell of buttons.bmp at a point of the bar.
struct BarOverlay {
    PixelRect Cell;
    int X = 0; // in the bar's pixels
    int Y = 0;

    bool operator==(const BarOverlay&) const = default;
};

// What a pointer at (x, y) of a bar (its own pixels) shows in `state`: on the open bar the button
// under it, on a collapsed bar the expand handle once x is past 4; nothing elsewhere.
std::optional<BarOverlay> BarOverlayAt(BarShape shape, int x, int y, BarCellState state);

} // namespace agendrix
