#include "geometry/SurfaceLayout.h"
#include "skin/SkinCells.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace agendrix {
namespace {

    // Where copies of one cell went, in drawing order.
    std::vector<std::pair<int, int>> PlacesOf(const SurfaceLayout& layout, const PixelRect& cell)
    {
        std::vector<std::pair<int, int>> places;
        for (const Blit& blit : layout.Blits) {
            if (blit.Source == cell)
                places.emplace_back(blit.X, blit.Y);
        }
        return places;
    }

    std::vector<int> TopsOf(const SurfaceLayout& layout, const PixelRect& leftCell)
    {
        std::vector<int> tops;
        for (const auto& [x, y] : PlacesOf(layout, leftCell))
            tops.push_back(y);
        return tops;
    }

    std::size_t IndexOf(const SurfaceLayout& layout, const PixelRect& cell, int x, int y)
    {
        const auto found = std::find(layout.Blits.begin(), layout.Blits.end(), Blit { cell, x, y });
        EXPECT_NE(found, layout.Blits.end()) << "no copy at " << x << "," << y;
        return static_cast<std::size_t>(found - layout.Blits.begin());
    }

    using V = std::vector<int>;

    TEST(SurfaceLayout, WindowTwoHundredHighWithoutBlock)
    {
        const SurfaceLayout layout = LayOutSurface({ 350, 200, -1, 48 });
        EXPECT_EQ(layout.RowsShown, 6);
        EXPECT_EQ(layout.RowTops, (V { 30, 54, 78, 102, 126, 150 }));
        EXPECT_EQ(TopsOf(layout, MainCells::Row.Left), layout.RowTops);
        EXPECT_EQ(TopsOf(layout, MainCells::ListEnd.Left), V { 170 });
        EXPECT_EQ(TopsOf(layout, MainCells::Filler.Left), V { 173 });
        EXPECT_EQ(TopsOf(layout, MainCells::StatusBar.Left), V { 176 });
        EXPECT_FALSE(layout.InfoBlock);
        EXPECT_EQ(layout.StatusLine, (PixelRect { 9, 181, 275, 14 }));
        EXPECT_EQ(layout.ScrollDown, (PixelRect { 332, 176, 13, 7 }));
        EXPECT_EQ(layout.WindowControls, (PixelRect { 280, 3, 68, 14 }));
    }

    TEST(SurfaceLayout, OpenBlockUnderTheFirstRow)
    {
        const SurfaceLayout layout = LayOutSurface({ 350, 200, 0, 60 });
        EXPECT_EQ(layout.RowTops, (V { 30, 114, 138 }));
        EXPECT_EQ(layout.RowsShown, 3);
        EXPECT_EQ(TopsOf(layout, MainCells::BlockTop.Left), V { 50 });
        EXPECT_EQ(TopsOf(layout, MainCells::BlockMiddle.Left), (V { 66, 74, 82, 90 }));
        EXPECT_EQ(TopsOf(layout, MainCells::BlockBottom.Left), V { 90 });
        EXPECT_EQ(layout.AccDrag, (PixelRect { 6, 96, 32, 9 }));
        EXPECT_EQ(layout.InfoBlock, (PixelRect { 0, 50, 350, 64 }));
        EXPECT_EQ(layout.UsedAccHgt, 60);
        // Each column is drawn top, middles, bottom before the next column starts.
        EXPECT_LT(IndexOf(layout, MainCells::BlockBottom.Left, 0, 90),
            IndexOf(layout, MainCells::BlockTop.Middle, 49, 50));
    }

    TEST(SurfaceLayout, BlockTallerThanTheRoomIsShrunkAndEndsTheRows)
    {
        const SurfaceLayout layout = LayOutSurface({ 350, 200, 1, 300 });
        // The block of the row at 54 starts at 74 and may reach the status bar at 176.
        EXPECT_EQ(layout.UsedAccHgt, 176 - 74);
        EXPECT_EQ(layout.RowTops, (V { 30, 54 }));
        EXPECT_EQ(TopsOf(layout, MainCells::BlockBottom.Left), V { 156 });
        // Its bottom piece reaches four pixels into the status bar, which is drawn over it.
        EXPECT_LT(IndexOf(layout, MainCells::BlockBottom.Left, 0, 156),
            IndexOf(layout, MainCells::StatusBar.Left, 0, 176));
    }

    TEST(SurfaceLayout, ExpandLineOfARowNotDrawnOpensNoBlock)
    {
        EXPECT_FALSE(LayOutSurface({ 350, 200, 6, 60 }).InfoBlock);
        EXPECT_FALSE(LayOutSurface({ 350, 200, -1, 60 }).InfoBlock);
        EXPECT_TRUE(LayOutSurface({ 350, 200, 5, 60 }).InfoBlock);
    }

    TEST(SurfaceLayout, NarrowWindowOverlapsTheTitlePiecesWithoutFailing)
    {
        const SurfaceLayout layout = LayOutSurface({ 150, 200, -1, 48 });
        EXPECT_EQ(PlacesOf(layout, MainCells::Title.Left), (std::vector<std::pair<int, int>> { { 0, 0 } }));
        EXPECT_EQ(
            PlacesOf(layout, MainCells::Title.Middle), (std::vector<std::pair<int, int>> { { 92, 0 } }));
        EXPECT_EQ(PlacesOf(layout, MainCells::Title.Right), (std::vector<std::pair<int, int>> { { 72, 0 } }));
        // The right piece is drawn last, over the tiles.
        EXPECT_EQ(layout.Blits[2], (Blit { MainCells::Title.Right, 72, 0 }));
        EXPECT_EQ(PlacesOf(layout, MainCells::Row.Middle).size(), 6u);
        EXPECT_EQ(layout.CaptionWidth, 0);
    }

    TEST(SurfaceLayout, WideWindowTilesTheMiddlePieces)
    {
        const SurfaceLayout layout = LayOutSurface({ 1000, 200, -1, 48 });
        EXPECT_EQ(PlacesOf(layout, MainCells::Title.Middle),
            (std::vector<std::pair<int, int>> { { 92, 0 }, { 395, 0 }, { 698, 0 } }));
        // Rows: tiles from 49 every 379 while they start left of the right band at 955.
        EXPECT_EQ(PlacesOf(layout, MainCells::Row.Middle)[2], (std::pair<int, int> { 807, 30 }));
        EXPECT_EQ(PlacesOf(layout, MainCells::Row.Middle).size(), 3u * 6u);
        EXPECT_EQ(PlacesOf(layout, MainCells::Row.Right).front(), (std::pair<int, int> { 955, 30 }));
    }

    TEST(SurfaceLayout, RowsThatFitFollowTheWindowHeight)
    {
        for (int h = 0; h <= 1200; ++h) {
            const int expected = h >= 78 ? (h - 78) / 24 + 1 : 0;
            EXPECT_EQ(LayOutSurface({ 350, h, -1, 48 }).RowsShown, expected) << "height " << h;
        }
    }

} // namespace
} // namespace agendrix
