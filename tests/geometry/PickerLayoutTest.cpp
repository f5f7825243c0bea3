#include "geometry/PickerLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace agendrix {
namespace {

    int Luminance(const Rgb& c) { return (299 * c.Red + 587 * c.Green + 114 * c.Blue) / 1000; }

    PixelPoint Centre(const PixelRect& r) { return { r.X + r.Width / 2, r.Y + r.Height / 2 }; }

    TEST(PickerLayoutTest, PointsOnNoEntryHitNothing)
    {
        const PickerLayout layout = LayOutPicker();
        const PixelRect& first = layout.Entries[0].Bar;
        const PixelRect& last = layout.Entries[DeleteTaskEntry].Bar;
        const std::tuple<const char*, int, int> cases[] = {
            { "topLeftCorner", 0, 0 },
            { "leftOfPopup", -5, Centre(first).Y },
            { "abovePopup", Centre(first).X, -1 },
            { "belowPopup", Centre(last).X, layout.Height },
            { "leftBorder", 0, Centre(first).Y },
            { "rightBorder", layout.Width - 1, Centre(first).Y },
            { "justAboveFirstBar", Centre(first).X, first.Y - 1 },
            { "justLeftOfFirstBar", first.X - 1, Centre(first).Y },
            { "justRightOfFirstBar", first.Right(), Centre(first).Y },
            { "justBelowLastBar", Centre(last).X, last.Bottom() },
        };
        for (const auto& [name, x, y] : cases)
            EXPECT_EQ(PickerEntryAt(layout, x, y), std::nullopt) << name;
        for (const PixelRect& line : layout.Separators)
            EXPECT_EQ(PickerEntryAt(layout, line.X + 1, line.Y), std::nullopt) << "separator at y " << line.Y;
    }

    TEST(PickerLayoutTest, EveryPixelOfABarHitsItsEntry)
    {
        const PickerLayout layout = LayOutPicker();
        for (int entry = 0; entry < PickerEntryCount; ++entry) {
            const PixelRect& bar = layout.Entries[static_cast<std::size_t>(entry)].Bar;
            EXPECT_EQ(PickerEntryAt(layout, bar.X, bar.Y), entry) << "top left of " << entry;
            EXPECT_EQ(PickerEntryAt(layout, bar.Right() - 1, bar.Bottom() - 1), entry)
                << "bottom right of " << entry;
            EXPECT_EQ(PickerEntryAt(layout, Centre(bar).X, Centre(bar).Y), entry) << "centre of " << entry;
        }
    }

    TEST(PickerLayoutTest, EntriesStackInsideTheBorderWithSeparatorsBetweenGroups)
    {
        const PickerLayout layout = LayOutPicker();
        ASSERT_EQ(layout.Separators.size(), 3u);
        std::size_t separator = 0;
        for (int entry = 0; entry < PickerEntryCount; ++entry) {
            const PickerEntryRects& rects = layout.Entries[static_cast<std::size_t>(entry)];
            EXPECT_GE(rects.Bar.X, 1) << entry;
            EXPECT_LE(rects.Bar.Right(), layout.Width - 1) << entry;
            EXPECT_GE(rects.Bar.Height, 15) << "room for 11-pixel text, entry " << entry;
            EXPECT_GE(rects.Swatch.X, rects.Bar.X) << entry;
            EXPECT_LE(rects.Swatch.Right(), rects.Text.X) << entry;
            EXPECT_LE(rects.Text.Right(), rects.Bar.Right()) << entry;
            EXPECT_GE(rects.Swatch.Y, rects.Bar.Y) << entry;
            EXPECT_LE(rects.Swatch.Bottom(), rects.Bar.Bottom()) << entry;
            if (entry + 1 == PickerEntryCount)
                break;
            const PixelRect& next = layout.Entries[static_cast<std::size_t>(entry + 1)].Bar;
            const bool groupEnds = entry == 1 || entry == 8 || entry == 10;
            if (!groupEnds) {
                EXPECT_EQ(next.Y, rects.Bar.Bottom()) << "no gap after " << entry;
                continue;
            }
            const PixelRect& line = layout.Separators[separator++];
            EXPECT_GT(line.Y, rects.Bar.Bottom()) << "separator after " << entry;
            EXPECT_LT(line.Y, next.Y - 1) << "separator after " << entry;
            EXPECT_EQ(line.Height, 1) << entry;
        }
        EXPECT_GE(layout.Height - layout.Entries[DeleteTaskEntry].Bar.Bottom(), 1);
    }

    TEST(PickerLayoutTest, OpensBesideThePointAndFlipsAtTheEdges)
    {
        const PixelRect screen { 0, 0, 1024, 768 };
        const PixelRect rightMonitor { 1920, 0, 1280, 1024 };
        const PixelRect underPanel { 0, 30, 800, 570 }; // a panel takes the top 30 pixels
        const std::tuple<const char*, PixelPoint, PixelRect, PixelPoint> cases[] = {
            { "fitsRightAndBelow", { 100, 100 }, screen, { 100, 100 } },
            { "touchesRightEdge", { 874, 100 }, screen, { 874, 100 } },
            { "onePastRightEdgeFlipsLeft", { 875, 100 }, screen, { 725, 100 } },
            { "touchesBottomEdge", { 100, 538 }, screen, { 100, 538 } },
            { "onePastBottomFlipsUp", { 100, 539 }, screen, { 100, 309 } },
            { "cornerFlipsBoth", { 1000, 750 }, screen, { 850, 520 } },
            { "secondMonitorFits", { 2000, 100 }, rightMonitor, { 2000, 100 } },
            { "secondMonitorRightEdge", { 3150, 1000 }, rightMonitor, { 3000, 770 } },
            { "flipStopsAtLeftEdgeOfSecondMonitor", { 1930, 100 }, { 1920, 0, 155, 768 }, { 1920, 100 } },
            { "underPanelFitsBelow", { 100, 370 }, underPanel, { 100, 370 } },
            { "underPanelFlipsUp", { 100, 500 }, underPanel, { 100, 270 } },
            { "flipStopsBelowPanel", { 100, 200 }, { 0, 30, 800, 300 }, { 100, 30 } },
            { "tinyScreenKeepsTopLeftVisible", { 50, 50 }, { 0, 30, 120, 120 }, { 0, 30 } },
        };
        for (const auto& [name, point, area, expected] : cases)
            EXPECT_EQ(PickerPosition(point, 150, 230, area), expected) << name;
    }

    TEST(PickerLayoutTest, CaptionsLoseOnlyTheirFirstAmpersand)
    {
        const std::tuple<int, std::string> cases[] = {
            { -1, "" },
            { DeleteTaskEntry + 1, "" },
            { 0, "Date Based" },
            { 1, "\"Broken\"" },
            { 2, "Level 7 - Extreme" },
            { 3, "Level 6 - Very High" },
            { 5, "Level 4" },
            { 8, "Level 1 - Low" },
            { 9, "Unprioritized" },
            { 10, "Completed" },
            { DeleteTaskEntry, "Delete Task" },
        };
        for (const auto& [entry, caption] : cases)
            EXPECT_EQ(PickerCaption(entry), caption) << entry;
    }

    TEST(PickerLayoutTest, HighlightColoursPerEntryCarryWhiteText)
    {
        EXPECT_THROW(PickerHighlight(-1), std::out_of_range);
        EXPECT_THROW(PickerHighlight(PickerEntryCount), std::out_of_range);
        EXPECT_THROW(PickerSwatch(DeleteTaskEntry), std::out_of_range);
        const std::tuple<int, Rgb> cases[] = {
            { 0, { 0, 0, 128 } },
            { 1, { 64, 0, 64 } },
            { 2, { 128, 0, 0 } },
            { 3, { 128, 0, 0 } },
            { 4, { 192, 64, 0 } },
            { 6, { 192, 64, 0 } },
            { 8, { 192, 64, 0 } },
            { 9, { 128, 128, 0 } },
            { 10, { 0, 128, 0 } },
        };
        for (const auto& [entry, colour] : cases)
            EXPECT_EQ(PickerHighlight(entry), colour) << entry;
        for (int entry = 0; entry < PickerEntryCount; ++entry)
            EXPECT_LT(Luminance(PickerHighlight(entry)), 128) << "white text on entry " << entry;
        for (int option = 0; option + 1 < PickerOptionCount; ++option)
            EXPECT_NE(PickerSwatch(option), PickerSwatch(option + 1)) << option;
    }

    TEST(PickerLayoutTest, SeparatorShadeShowsOnTheBackground)
    {
        const std::tuple<const char*, Rgb, Rgb> cases[] = {
            { "whiteSkinGetsGrey", { 255, 255, 255 }, { 188, 188, 188 } },
            { "backgroundColourGetsGrey", PickerBackground, { 188, 188, 188 } },
            { "darkSkinIsMixed", { 24, 28, 36 }, { 136, 138, 142 } },
            { "redSkinIsMixed", { 200, 0, 0 }, { 224, 124, 124 } },
        };
        for (const auto& [name, skin, expected] : cases)
            EXPECT_EQ(SeparatorShade(skin), expected) << name;
    }

} // namespace
} // namespace agendrix
