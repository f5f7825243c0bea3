#include "geometry/ListScrolling.h"
#include "geometry/RowLayout.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace agendrix {
namespace {

    TEST(ListScrolling, ScrollDownMayShowTheEmptyRowAfterTheLastTask)
    {
        // Three tasks: 1, 2, 3 (the empty row first), then it stays.
        int rowStart = 0;
        for (const int expected : { 1, 2, 3, 3 }) {
            rowStart = ScrollButtonStep(rowStart, ScrollDirection::Down, 3);
            EXPECT_EQ(rowStart, expected);
        }
        EXPECT_EQ(ScrollButtonStep(0, ScrollDirection::Up, 3), 0);
        EXPECT_EQ(ScrollButtonStep(0, ScrollDirection::Down, 0), 0);
    }

    TEST(ListScrolling, WheelNotchesMoveTwoUpOrOneDown)
    {
        struct Case {
            const char* Name;
            int Notches;
            int Expected;
        };
        const Case cases[] = {
            { "mostNotchesAwayStopAtTheFirstTask", std::numeric_limits<int>::max(), 0 },
            { "mostNotchesTowardsStopAtTheLastTask", std::numeric_limits<int>::min(), 19 },
            { "none", 0, 10 },
            { "oneAway", 1, 8 },
            { "oneTowards", -1, 11 },
            { "twoAway", 2, 7 },
            { "twoTowards", -2, 12 },
            { "tenAwayStopAtTheFirstTask", 10, 0 },
            { "tenTowardsStopAtTheLastTask", -10, 19 },
        };
        for (const Case& c : cases)
            EXPECT_EQ(WheelRowStart(10, c.Notches, 20), c.Expected) << c.Name;
        EXPECT_EQ(WheelRowStart(0, -1, 0), 0) << "emptyList";
    }

    TEST(ListScrolling, WheelDeltasAddUpToWholeNotches)
    {
        struct Case {
            const char* Name;
            std::vector<int> Deltas;
            std::vector<int> Notches; // what each delta completes
            int Pending;
        };
        const int most = std::numeric_limits<int>::max();
        const int least = std::numeric_limits<int>::min();
        const Case cases[] = {
            { "largestDeltasDoNotOverflow", { most, most }, { 17895697, 17895697 }, 14 },
            { "smallestDeltasDoNotOverflow", { least, least }, { -17895697, -17895697 }, -16 },
            { "noDelta", { 0 }, { 0 }, 0 },
            { "quarterNotchesMakeOneOnTheFourth", { 30, 30, 30, 30 }, { 0, 0, 0, 1 }, 0 },
            { "towardsTheUserToo", { -40, -40, -40, -40 }, { 0, 0, -1, 0 }, -40 },
            { "wholeNotchesPassAtOnce", { 120, 240, -120 }, { 1, 2, -1 }, 0 },
            { "remainderCarriesOver", { 100, 100, 100 }, { 0, 1, 1 }, 60 },
            { "halfANotchThenAWholeOne", { 60, 120 }, { 0, 1 }, 60 },
            { "turningBackTakesBackWhatWasTurned", { 90, -90, -90, -30 }, { 0, 0, 0, -1 }, 0 },
        };
        for (const Case& c : cases) {
            WheelNotches wheel;
            std::vector<int> notches;
            for (const int delta : c.Deltas)
                notches.push_back(wheel.Add(delta));
            EXPECT_EQ(notches, c.Notches) << c.Name;
            EXPECT_EQ(wheel.Pending, c.Pending) << c.Name;
        }
    }

    TEST(ListScrolling, ThumbSnapsToWholeTasksWithinTheList)
    {
        const float step = SliderStep(114, 10); // 10 pixels a task
        EXPECT_FLOAT_EQ(step, 10.0f);
        EXPECT_EQ(ThumbDragRowStart(3, 25.0f, step, 10), 5);
        EXPECT_EQ(ThumbDragRowStart(3, -0.5f, step, 10), 2);
        EXPECT_EQ(ThumbDragRowStart(3, 500.0f, step, 10), 9);
        EXPECT_EQ(ThumbDragRowStart(3, -500.0f, step, 10), 0);
        // An uneven step must not lose a task to rounding: 7 tasks over 100 pixels.
        const float uneven = SliderStep(114, 7);
        for (int row = 0; row < 7; ++row)
            EXPECT_EQ(ThumbDragRowStart(row, 0.0f, uneven, 7), row);
    }

    TEST(ListScrolling, EmptyListPutsTheThumbAtTheTopWithTheWholeTrackAsStep)
    {
        EXPECT_FLOAT_EQ(SliderStep(144, 0), 130.0f);
        EXPECT_FLOAT_EQ(ThumbTop(0, SliderStep(144, 0)), 30.0f);
    }

    TEST(ListScrolling, HeldButtonWaitsOnceThenRepeatsUntilTheEnd)
    {
        AutoScroll scroll { ScrollDirection::Down, 10000, AutoScroll::FirstButtonDelay };
        int rowStart = 1;
        rowStart = scroll.Tick(rowStart, ThumbTop(rowStart, 10), 5);
        EXPECT_EQ(scroll.Interval, AutoScroll::RepeatInterval);
        EXPECT_EQ(rowStart, 2);
        for (int i = 0; i < 10; ++i)
            rowStart = scroll.Tick(rowStart, ThumbTop(rowStart, 10), 5);
        EXPECT_EQ(rowStart, 4); // the last task, not the empty row
    }

    TEST(ListScrolling, TrackClickRepeatsUntilTheThumbIsWithinEightPixels)
    {
        // Thumb at 30 + 10 * row; clicked at y 95: stops once the thumb's top reaches 87.
        AutoScroll scroll { ScrollDirection::Down, 95, AutoScroll::TrackInterval };
        int rowStart = 0;
        int ticks = 0;
        while (scroll.Interval != 0 && ticks < 100) {
            rowStart = scroll.Tick(rowStart, ThumbTop(rowStart, 10), 50);
            ++ticks;
        }
        EXPECT_EQ(rowStart, 7); // the tick that saw the thumb at 90 still moved one row
        EXPECT_EQ(scroll.Interval, 0);

        AutoScroll up { ScrollDirection::Up, 40, AutoScroll::TrackInterval };
        rowStart = up.Tick(5, ThumbTop(5, 10), 50);
        EXPECT_EQ(rowStart, 4);
        EXPECT_NE(up.Interval, 0);
    }

    TEST(ListScrolling, GripsSnapAndClamp)
    {
        EXPECT_EQ(SnapWindowHeight(60, SnapRows::Yes), 80);
        EXPECT_EQ(SnapWindowHeight(60, SnapRows::No), 80);
        EXPECT_EQ(SnapWindowHeight(300, SnapRows::Yes), 294);
        EXPECT_EQ(SnapWindowHeight(311, SnapRows::Yes), 318);
        EXPECT_EQ(SnapWindowHeight(301, SnapRows::No), 301);
        EXPECT_EQ(ClampWindowWidth(150), 200);
        EXPECT_EQ(BlockHeight(1000, SnapRows::Yes), 360);
        EXPECT_EQ(BlockHeight(-50, SnapRows::No), 32);
        EXPECT_EQ(BlockHeight(59, SnapRows::Yes), 48);
        EXPECT_EQ(BlockHeight(61, SnapRows::Yes), 72);
        EXPECT_EQ(BlockHeight(61, SnapRows::No), 61);
    }

    TEST(RowLayout, RowsBelowAnOpenBlockMoveDownByItsHeight)
    {
        const RowLayout layout = LayOutRows({ 350, 3, 0, 1, 60 });
        ASSERT_EQ(layout.Rows.size(), 3u);
        EXPECT_EQ(layout.Rows[0].Lamp, (PixelRect { 7, 29, LampSize, LampSize }));
        EXPECT_EQ(layout.Rows[0].Label, (PixelRect { 49, 33, 255, RowLabelHeight }));
        EXPECT_EQ(layout.Rows[0].ControlBar, (PixelRect { 305, 30, 18, 20 }));
        EXPECT_EQ(layout.Rows[1].ControlBar, (PixelRect { 225, 114, 98, 20 })); // the current row
        EXPECT_EQ(layout.Rows[2].Lamp.Y, 30 + 48 + 60 - 1);
        EXPECT_EQ(layout.Details, (PixelRect { 49, 59, 275, 44 }));
        EXPECT_EQ(layout.SliderTrack, (PixelRect { 332, 28, 13, 48 + 60 + 30 }));
        EXPECT_FALSE(LayOutRows({ 350, 3, -1, -1, 60 }).Details);
        EXPECT_EQ(LayOutRows({ 350, 3, -1, -1, 60 }).SliderTrack.Height, 78);
    }

} // namespace
} // namespace agendrix
