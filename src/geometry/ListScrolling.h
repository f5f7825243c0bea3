#pragma once

#include <cstddef>

namespace agendrix {

enum class ScrollDirection { Up = 0, Down = 1 };

// The rules by which the list's first row (RowStart) moves. Each returns the new RowStart.

// A scroll button: one step; down may go one past the last task, so that the first row shows
// the empty row after it.
int ScrollButtonStep(int rowStart, ScrollDirection direction, std::size_t taskCount);

// A click on the track, a tick of the auto-scroll timer and a thumb drag stay within the tasks.
int ClampToTasks(int rowStart, std::size_t taskCount);

// The thumb dragged `dy` pixels from where it was pressed, with `step` pixels per task: the
// thumb snaps to whole tasks, rounding towards the top.
int ThumbDragRowStart(int rowStart, float dy, float step, std::size_t taskCount);

// Whole wheel notches (positive away from the user) move the thumb by 1.1 steps each, rounded
// down like a drag: one notch away from the user moves two tasks up, one towards the user one
// task down; two move three up or two down.
int WheelRowStart(int rowStart, int notches, std::size_t taskCount);

// Wheels that report less than a notch at a time (touchpads, high-resolution wheels): the deltas
// add up, and each time they make whole notches those notches move the list.
struct WheelNotches {
    static constexpr int Notch = 120; // units of delta

    int Pending = 0; // turned since the last whole notch, -119 to 119, positive away from the user

    // Adds one event's delta; returns the whole notches it completes, positive away from the user.
    int Add(int delta);
};

// The auto-scroll timer: a held button waits once, then repeats quickly; a held track click
// repeats until the thumb reaches the pointer.
struct AutoScroll {
    static constexpr int FirstButtonDelay = 1000; // ms
    static constexpr int RepeatInterval = 30;
    static constexpr int TrackInterval = 100;

    ScrollDirection Direction = ScrollDirection::Down;
    float SliderStop = 0; // y at which scrolling stops
    int Interval = 0; // ms; 0 when stopped

    // One tick, given the thumb's top before it moves; returns the new RowStart and updates
    // Interval (0 once the thumb has reached SliderStop).
    int Tick(int rowStart, float thumbTop, std::size_t taskCount);
};

// The window grip: the height snaps to 78 + 24k (whole rows) unless Shift alone is held; the
// window is at least 200 by 80 pixels.
enum class SnapRows { Yes, No };
int SnapWindowHeight(int height, SnapRows snap);
int ClampWindowWidth(int width);

// The information block's grip: with the left button alone the height snaps to the nearest
// multiple of 24; it stays between 32 and 360.
int BlockHeight(int wanted, SnapRows snap);

} // namespace agendrix
