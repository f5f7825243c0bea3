#include "geometry/ControlBarZones.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace agendrix {
namespace {

    TEST(ControlBarZonesTest, StrictBoundsAndFirstMatchWins)
    {
        using B = std::optional<BarButton>;
        const std::tuple<const char*, int, int, B> cases[] = {
            { "aboveTheButtons", 30, 3, std::nullopt },
            { "belowTheButtons", 30, 16, std::nullopt },
            { "leftOfClose", 4, 10, std::nullopt },
            { "closeFirstPixel", 5, 10, BarButton::Close },
            { "gapAfterClose", 18, 10, std::nullopt },
            { "completeLowerBound", 22, 10, std::nullopt },
            { "completeFirstPixel", 23, 10, BarButton::Complete },
            { "overlapGoesToComplete", 40, 10, BarButton::Complete },
            { "informationAfterComplete", 41, 10, BarButton::Information },
            { "overlapGoesToInformation", 55, 10, BarButton::Information },
            { "fileFirstPixel", 56, 10, BarButton::GoToFile },
            { "overlapGoesToFile", 76, 10, BarButton::GoToFile },
            { "editFirstPixel", 77, 10, BarButton::Edit },
            { "editLastPixel", 94, 15, BarButton::Edit },
            { "pastEdit", 95, 10, std::nullopt },
        };
        for (const auto& [name, x, y, expected] : cases)
            EXPECT_EQ(BarButtonAt(x, y), expected) << name;
    }

    TEST(ControlBarZonesTest, OwnRangeAndTexts)
    {
        // Neighbouring ranges share no whole pixel.
        EXPECT_TRUE(InsideBarButton(BarButton::Information, 55, 10));
        EXPECT_FALSE(InsideBarButton(BarButton::GoToFile, 55, 10));
        EXPECT_FALSE(InsideBarButton(BarButton::Information, 40, 10));
        EXPECT_FALSE(InsideBarButton(BarButton::Information, 58, 10));
        EXPECT_EQ(BarButtonText(BarButton::Complete), "Mark task as completed");
        EXPECT_EQ(BarButtonText(BarButton::Close), "Close Control Bar");
        EXPECT_EQ(BarButtonText(BarButton::GoToFile), "Go to file now");
    }

    TEST(ControlBarZonesTest, PicturesComeFromTheirCells)
    {
        EXPECT_EQ(BarButtonTarget(BarButton::Edit), (PixelRect { 76, 2, 19, 16 }));
        EXPECT_EQ(BarButtonCell(BarButton::GoToFile, BarCellState::Pressed), (PixelRect { 36, 32, 19, 16 }));
        EXPECT_EQ(BarButtonCell(BarButton::Close, BarCellState::Highlighted), (PixelRect { 157, 0, 16, 19 }));
        EXPECT_EQ(ExpandHandleCell(BarCellState::Pressed), (PixelRect { 32, 48, 16, 19 }));
    }

    TEST(ControlBarZonesTest, PointerShowsTheButtonOrTheExpandHandle)
    {
        using O = std::optional<BarOverlay>;
        const auto highlighted = BarCellState::Highlighted;
        const std::tuple<const char*, BarShape, int, int, BarCellState, O> cases[] = {
            { "openBetweenButtons", BarShape::Open, 20, 10, highlighted, std::nullopt },
            { "openAboveTheButtons", BarShape::Open, 30, 3, highlighted, std::nullopt },
            { "collapsedLeftEdge", BarShape::Collapsed, 4, 10, highlighted, std::nullopt },
            { "openComplete", BarShape::Open, 30, 10, highlighted, BarOverlay { { 0, 16, 19, 16 }, 22, 2 } },
            { "openClosePressed", BarShape::Open, 10, 10, BarCellState::Pressed,
                BarOverlay { { 173, 0, 16, 19 }, 2, 0 } },
            { "collapsedPastTheEdge", BarShape::Collapsed, 5, 1, highlighted,
                BarOverlay { { 16, 48, 16, 19 }, 2, 0 } },
            // A collapsed bar has no buttons: a point over the open bar's complete key is its handle.
            { "collapsedWhereAKeyWouldBe", BarShape::Collapsed, 30, 10, BarCellState::Pressed,
                BarOverlay { { 32, 48, 16, 19 }, 2, 0 } },
        };
        for (const auto& [name, shape, x, y, state, overlay] : cases)
            EXPECT_EQ(BarOverlayAt(shape, x, y, state), overlay) << name;
    }

} // namespace
} // namespace agendrix
