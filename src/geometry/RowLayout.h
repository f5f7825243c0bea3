#pragma once

#include "skin/PixelRect.h"

#include <optional>
#include <vector>

namespace agendrix {

inline constexpr int LampSize = 20; // the lamp control, a cell of plamps.bmp's band
inline constexpr int CollapsedBarWidth = 18;
inline constexpr int OpenBarWidth = 98;
inline constexpr int ControlBarHeight = 20;
inline constexpr int RowLabelHeight = 16;

struct RowPlacement {
    PixelRect Lamp;
    PixelRect Label;
    PixelRect ControlBar; // collapsed, or fully open on the current row
};

struct RowInput {
    int Width = 0; // inner width of the window
    int RowsShown = 0;
    int ExpandLine = -1;
    int CurrentLine = -1;
    int UsedAccHgt = 0;
};

// Where the controls of the visible rows go. Rows below an open information block move down by
// its height.
struct RowLayout {
    std::vector<RowPlacement> Rows;
    std::optional<PixelRect> Details; // the information text of the open block
    PixelRect SliderTrack;
};

RowLayout LayOutRows(const RowInput& input);

// Pixels of thumb travel per task: the track's length (its height less 14) over the number of
// tasks, or the whole length for an empty list.
float SliderStep(int trackHeight, std::size_t taskCount);
// The thumb's top for the task shown in the first row.
float ThumbTop(int rowStart, float step);

} // namespace agendrix
