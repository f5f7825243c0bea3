#include "geometry/MenuLayout.h"

#include "TestScreens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace agendrix {
namespace {

    using test::RightScreen;
    using test::Screen;

    TEST(MenuPlaces, TheMenuOpensAtThePointerAndStaysOnItsScreen)
    {
        const struct {
            const char* Name;
            PixelRect Area;
            int X;
            int Y;
            PixelRect Expected;
        } cases[] = {
            { "aboveAndLeftOfTheScreen", Screen, -50, -40, { 0, 0, 200, 300 } },
            { "largerThanTheScreenKeepsItsTopLeft", { 0, 0, 150, 250 }, 100, 100, { 0, 0, 200, 300 } },
            { "topLeftCorner", Screen, 0, 0, { 0, 0, 200, 300 } },
            { "topRightCornerFlipsLeft", Screen, 1279, 0, { 1080, 0, 200, 300 } },
            { "bottomLeftCornerFlipsUp", Screen, 0, 799, { 0, 500, 200, 300 } },
            { "bottomRightCornerFlipsBoth", Screen, 1279, 799, { 1080, 500, 200, 300 } },
            { "exactlyFitsAtTheRightEdge", Screen, 1080, 500, { 1080, 500, 200, 300 } },
            { "onePixelTooFarRight", Screen, 1081, 10, { 1080, 10, 200, 300 } },
            { "middle", Screen, 400, 300, { 400, 300, 200, 300 } },
            { "rightScreenUnderAPanel", RightScreen, 2300, 20, { 2104, 30, 200, 300 } },
        };
        for (const auto& c : cases)
            EXPECT_EQ(MenuAtPointer(c.X, c.Y, 200, 300, c.Area), c.Expected) << c.Name;
    }

    TEST(MenuPlaces, FromTheButtonTheMenuOpensBelowTheWindowsCorner)
    {
        const struct {
            const char* Name;
            int ListLeft;
            int ListTop;
            PixelRect Expected;
        } cases[] = {
            { "windowPartlyOffTheLeft", -100, -100, { 0, 0, 200, 300 } },
            { "windowAtTheBottomRight", 1200, 700, { 1080, 500, 200, 300 } },
            { "usual", 100, 50, { 104, 66, 200, 300 } },
        };
        for (const auto& c : cases)
            EXPECT_EQ(MenuUnderButton(c.ListLeft, c.ListTop, 200, 300, Screen), c.Expected) << c.Name;
    }

    TEST(MenuSizes, TheWidestCaptionSetsTheWidthAndTheRowsTheHeight)
    {
        const struct {
            const char* Name;
            std::vector<int> Widths;
            MenuSize Expected;
        } cases[] = {
            { "negativeWidthsCountAsNothing", { -40, -1 }, { 28, 40 } },
            { "noEntries", {}, { 28, 4 } },
            { "oneEntry", { 100 }, { 128, 22 } },
            { "widestInTheMiddle", { 50, 130, 90 }, { 158, 58 } },
        };
        for (const auto& c : cases)
            EXPECT_EQ(MenuSizeFor(c.Widths), c.Expected) << c.Name;
    }

    TEST(RecentPopup, LabelsStackUnderTheSeparatorAsWideAsTheWidestCaption)
    {
        const struct {
            const char* Name;
            std::vector<int> Widths;
            int ExpectedLabelWidth;
            int ExpectedWidth;
            int ExpectedHeight;
            std::vector<int> ExpectedTops;
        } cases[] = {
            { "noCaptionsStillHasOtherTaskList", {}, 4, 14, 24, { 2 } },
            { "onlyOtherTaskList", { 90 }, 94, 104, 24, { 2 } },
            { "twoRecentLists", { 90, 40, 120 }, 124, 134, 70, { 2, 28, 48 } },
        };
        for (const auto& c : cases) {
            const RecentPopupLayout layout = LayOutRecentPopup(c.Widths);
            EXPECT_EQ(layout.LabelWidth, c.ExpectedLabelWidth) << c.Name;
            EXPECT_EQ(layout.Width, c.ExpectedWidth) << c.Name;
            EXPECT_EQ(layout.Height, c.ExpectedHeight) << c.Name;
            EXPECT_EQ(layout.LabelTops, c.ExpectedTops) << c.Name;
        }
    }

    TEST(RecentPopup, OpensBesideTheMenuOrToItsLeftAtTheScreenEdge)
    {
        const struct {
            const char* Name;
            PixelRect Menu;
            PixelRect Expected;
        } cases[] = {
            { "menuAtTheBottomKeepsThePopupOnScreen", { 100, 700, 200, 300 }, { 296, 680, 150, 120 } },
            { "menuAtTheRightEdgeOpensLeft", { 1080, 0, 200, 300 }, { 1126, 21, 150, 120 } },
            { "justFitsOnTheRight", { 934, 0, 200, 300 }, { 1130, 21, 150, 120 } },
            { "usual", { 100, 100, 200, 300 }, { 296, 121, 150, 120 } },
        };
        for (const auto& c : cases)
            EXPECT_EQ(PlaceRecentPopup(c.Menu, 150, 120, Screen), c.Expected) << c.Name;
    }

    TEST(MenuKeys, TheLetterAfterTheAmpersandChoosesTheEntry)
    {
        const std::vector<std::string> captions { "No key", "Ends with &", " &Open", " Al&ways",
            " &1  Work" };
        const struct {
            const char* Name;
            char Key;
            int Expected;
        } cases[] = {
            { "noKey", 0, -1 },
            { "ampersandAtTheEndIsNoKey", '&', -1 },
            { "unknownLetter", 'q', -1 },
            { "lowerCase", 'o', 2 },
            { "upperCase", 'W', 3 },
            { "digit", '1', 4 },
        };
        for (const auto& c : cases)
            EXPECT_EQ(CaptionWithAccessKey(captions, c.Key), c.Expected) << c.Name;
    }

} // namespace
} // namespace agendrix
