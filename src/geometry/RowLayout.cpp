#include "RowLayout.h"

namespace agendrix {

RowLayout LayOutRows(const RowInput& input)
{
    RowLayout layout;
    const int w = input.Width;
    int shift = 0;
    for (int i = 0; i < input.RowsShown; ++i) {
        const int top = 30 + 24 * i + shift;
        RowPlacement row;
        row.Lamp = PixelRect { 7, top - 1, LampSize, LampSize };
        row.Label = PixelRect { 49, top + 3, w - 95, RowLabelHeight };
        row.ControlBar = i == input.CurrentLine
            ? PixelRect { w - 125, top, OpenBarWidth, ControlBarHeight }
            : PixelRect { w - 45, top, CollapsedBarWidth, ControlBarHeight };
        layout.Rows.push_back(row);
        if (i == input.ExpandLine) {
            layout.Details = PixelRect { 49, 24 * (i + 1) + 35, w - 75, input.UsedAccHgt - 16 };
            shift = input.UsedAccHgt;
        }
    }
    const int lastShift = layout.Details ? input.UsedAccHgt : 0;
    layout.SliderTrack = PixelRect { w - 18, 28, 13, 24 * (input.RowsShown - 1) + lastShift + 30 };
    return layout;
}

float SliderStep(int trackHeight, std::size_t taskCount)
{
    const auto length = static_cast<float>(trackHeight - 14);
    return taskCount > 0 ? length / static_cast<float>(taskCount) : length;
}

float ThumbTop(int rowStart, float step) { return static_cast<float>(rowStart) * step + 30; }

} // namespace agendrix
