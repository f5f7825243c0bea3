#include "ListScrolling.h"

#include <algorithm>
#include <cmath>

namespace agendrix {

int ScrollButtonStep(int rowStart, ScrollDirection direction, std::size_t taskCount)
{
    rowStart += direction == ScrollDirection::Down ? 1 : -1;
    rowStart = std::max(rowStart, 0);
    if (static_cast<std::size_t>(rowStart) > taskCount)
        --rowStart;
    return rowStart;
}

int ClampToTasks(int rowStart, std::size_t taskCount)
{
    const int last = static_cast<int>(taskCount) - 1;
    return std::max(std::min(rowStart, last), 0);
}

int ThumbDragRowStart(int rowStart, float dy, float step, std::size_t taskCount)
{
    // The thumb's top is rowStart * step + 30, so the row under it is rowStart + dy / step; the
    // whole part of rowStart is kept exact rather than recovered from a product of floats.
    const auto moved = static_cast<int>(std::floor(static_cast<double>(dy) / static_cast<double>(step)));
    return ClampToTasks(rowStart + moved, taskCount);
}

int WheelRowStart(int rowStart, int notches, std::size_t taskCount)
{
    // Tenths keep 1.1 exact: the thumb moves -1.1 steps a notch and the row rounds down.
    const long long tenths = -11LL * notches;
    const long long moved = tenths >= 0 ? tenths / 10 : -((-tenths + 9) / 10);
    const long long last = std::max(static_cast<long long>(taskCount) - 1, 0LL);
    return static_cast<int>(std::clamp(rowStart + moved, 0LL, last));
}

int WheelNotches::Add(int delta)
{
    const long long turned = static_cast<long long>(Pending) + delta;
    Pending = static_cast<int>(turned % Notch);
    return static_cast<int>(turned / Notch);
}

int AutoScroll::Tick(int rowStart, float thumbTop, std::size_t taskCount)
{
    if (Interval > 800)
        Interval = RepeatInterval;
    if (Interval == 0)
        return rowStart;
    if (Direction == ScrollDirection::Down) {
        ++rowStart;
        if (SliderStop - 8 <= thumbTop)
            Interval = 0;
    } else {
        --rowStart;
        if (SliderStop + 8 >= thumbTop)
            Interval = 0;
    }
    return ClampToTasks(rowStart, taskCount);
}

int SnapWindowHeight(int height, SnapRows snap)
{
    if (snap == SnapRows::Yes)
        height = 78 + 24 * static_cast<int>(std::lround((height - 78) / 24.0));
    return std::max(height, 80);
}

int ClampWindowWidth(int width) { return std::max(width, 200); }

int BlockHeight(int wanted, SnapRows snap)
{
    if (snap == SnapRows::Yes)
        wanted = 24 * static_cast<int>(std::lround(wanted / 24.0));
    return std::clamp(wanted, 32, 360);
}

} // namespace agendrix
