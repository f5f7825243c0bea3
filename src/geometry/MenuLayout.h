#pragma once

#include "skin/PixelRect.h"

#include <span>
#include <string>
#include <vector>

namespace agendrix {

// The context menu and the recent-lists popup: one label a row, in pixels.
namespace MenuMetrics {
    inline constexpr int RowHeight = 18;
    inline constexpr int Frame = 2; // the shaded frame on each side
    inline constexpr int CaptionPadding = 24; // room for a check mark left, an arrow right
    inline constexpr int ButtonOffsetX = 4; // from the list window's left, opened from its button
    inline constexpr int ButtonOffsetY = 16;
    inline constexpr int PopupOverlap = 4; // the popup starts this far left of the menu's right edge
    inline constexpr int PopupDrop = 21; // and this far below the menu's top: beside "Open"
    inline constexpr int PopupRowPitch = 20;
    inline constexpr int PopupSeparatorTop = 22; // under "Other Task List..."
    inline constexpr int PopupFirstBelowSeparator = 6;
} // namespace MenuMetrics

// `rect` moved so that it lies on `area`: past the right or bottom edge it is pulled back until
// its far edge lies on that edge; a rectangle larger than the area keeps its left and top edge
// on the area's, so that its first entries stay reachable.
PixelRect KeepOnScreen(PixelRect rect, const PixelRect& area);

// The menu of `width` by `height` opened by a right press at (x, y), global pixels.
PixelRect MenuAtPointer(int x, int y, int width, int height, const PixelRect& area);
// The menu opened from the list window's menu button or Alt+Space, the window's top-left corner
// at (listLeft, listTop).
PixelRect MenuUnderButton(int listLeft, int listTop, int width, int height, const PixelRect& area);

struct MenuSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const MenuSize&) const = default;
};
// The menu's size from the pixel widths of its captions, one row each; negative widths count as 0.
MenuSize MenuSizeFor(std::span<const int> captionWidths);

// Where the recent-lists popup's labels go: label 0 "Other Task List...", a separator, then one
// label per recent list.
struct RecentPopupLayout {
    int LabelWidth = 0; // every label: the widest caption + 4
    int Width = 0; // the widest caption + 14
    int Height = 0; // the last label's top + 22
    std::vector<int> LabelTops;
};
// From the pixel widths of the captions, label 0 first; at least label 0 is laid out.
RecentPopupLayout LayOutRecentPopup(std::span<const int> captionWidths);

// The popup beside the menu's second row; when it would cross the area's right edge it opens to
// the left of that point instead, and it is kept on the area.
PixelRect PlaceRecentPopup(const PixelRect& menu, int width, int height, const PixelRect& area);

// The first caption whose access key, the character after its "&", is `key` in either case; -1
// for none.
int CaptionWithAccessKey(std::span<const std::string> captions, char key);

} // namespace agendrix
