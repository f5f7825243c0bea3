#include "geometry/Sidebar.h"

#include "TestScreens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace agendrix {
namespace {

    using test::RightScreen;
    using test::Screen;

    TEST(SidebarPlaces, TheSidebarAndItsTabStayOnTheirScreen)
    {
        const struct {
            const char* Name;
            PixelRect Area;
            int Width;
            PixelRect Expected;
        } cases[] = {
            { "negativeWidth", Screen, -270, { 1080, 0, 200, 800 } },
            { "zeroWidth", Screen, 0, { 1080, 0, 200, 800 } },
            { "widerThanTheScreenLeavesRoomForTheTab", Screen, 5000, { 17, 0, 1263, 800 } },
            { "narrowest", Screen, 200, { 1080, 0, 200, 800 } },
            { "usual", Screen, 270, { 1010, 0, 270, 800 } },
            { "rightOfTwoScreensUnderAPanel", RightScreen, 270, { 2034, 30, 270, 738 } },
        };
        for (const auto& c : cases)
            EXPECT_EQ(SidebarRect(c.Area, c.Width, 17), c.Expected) << c.Name;

        const struct {
            const char* Name;
            int Top;
            int ExpectedTop;
        } tabs[] = {
            { "aboveTheScreen", -500, 30 },
            { "belowTheScreen", 5000, 768 - 60 },
            { "onTheScreen", 300, 300 },
        };
        for (const auto& c : tabs)
            EXPECT_EQ(
                DockTabRect(RightScreen, 2034, 17, 60, c.Top), (PixelRect { 2017, c.ExpectedTop, 17, 60 }))
                << c.Name;
    }

    TEST(SidebarPlaces, DraggingTheTabResizesTheSidebarWithinItsLimits)
    {
        const struct {
            const char* Name;
            int TabLeft;
            int ExpectedWidth;
        } cases[] = {
            { "pastTheLeftEdge", -300, 1280 - 17 },
            { "pastTheRightEdge", 1400, MinSidebarWidth },
            { "tooNarrow", 1280 - 17 - 150, MinSidebarWidth },
            { "exactlyTheLeast", 1280 - 17 - 200, 200 },
            { "wider", 1280 - 17 - 400, 400 },
        };
        for (const auto& c : cases)
            EXPECT_EQ(SidebarWidthForTab(Screen, 17, c.TabLeft), c.ExpectedWidth) << c.Name;
    }

    using Action = SidebarSlide::Action;

    SidebarSlide::Input Away(int aniSpeed = 3)
    {
        SidebarSlide::Input input;
        input.Area = Screen;
        input.WindowWidth = 270;
        input.TabWidth = 17;
        input.AniSpeed = aniSpeed;
        return input;
    }

    // Ticks until the slide has ended, at most 100; the steps taken.
    std::vector<SidebarSlide::Step> TicksUntilHidden(SidebarSlide& slide, const SidebarSlide::Input& input)
    {
        std::vector<SidebarSlide::Step> steps;
        while (!slide.Hidden() && steps.size() < 100)
            steps.push_back(slide.Tick(input));
        return steps;
    }

    TEST(SidebarSlideTest, TheWindowStaysWhileTheUserWorksWithIt)
    {
        const struct {
            const char* Name;
            bool PointerOver, OursInFront, NoHide;
        } cases[] = {
            { "pointerOverTheWindow", true, false, false },
            { "listWindowInFrontPointerAway", false, true, false },
            { "tabDraggedPointerAway", false, false, true },
        };
        for (const auto& c : cases) {
            SidebarSlide slide;
            SidebarSlide::Input input = Away();
            input.PointerOverWindow = c.PointerOver;
            input.OursInFront = c.OursInFront;
            input.NoHide = c.NoHide;
            for (int tick = 0; tick < 50; ++tick) {
                const SidebarSlide::Step step = slide.Tick(input);
                ASSERT_EQ(step.What, Action::Stay) << c.Name << " tick " << tick;
                EXPECT_EQ(step.WindowLeft, 1010) << c.Name;
                EXPECT_EQ(step.IntervalMs, SidebarSlide::ShownIntervalMs) << c.Name;
            }
            EXPECT_FALSE(slide.Hidden()) << c.Name;
        }
    }

    TEST(SidebarSlideTest, AnotherProgramInFrontSlidesTheWindowAwayAfterFiveTicks)
    {
        const struct {
            const char* Name;
            int AniSpeed;
            bool ScreenBeyond;
            std::size_t ExpectedMoves;
        } cases[] = {
            { "aniSpeedZeroActsAsOne", 0, false, 1 },
            { "aniSpeedOne", 1, false, 1 },
            { "aniSpeedThree", 3, false, 14 },
            { "aniSpeedTen", 10, false, 34 },
            { "anotherScreenBeyondTheEdge", 3, true, 0 },
        };
        for (const auto& c : cases) {
            SidebarSlide slide;
            SidebarSlide::Input input = Away(c.AniSpeed);
            input.ScreenBeyond = c.ScreenBeyond;
            for (int tick = 1; tick < SidebarSlide::ShownTicks; ++tick)
                ASSERT_EQ(slide.Tick(input).What, Action::Stay) << c.Name << " tick " << tick;
            const std::vector<SidebarSlide::Step> steps = TicksUntilHidden(slide, input);

            ASSERT_TRUE(slide.Hidden()) << c.Name;
            EXPECT_EQ(steps.size(), c.ExpectedMoves + 1) << c.Name;
            int left = 1010;
            for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
                EXPECT_EQ(steps[i].What, Action::Move) << c.Name << " step " << i;
                EXPECT_GT(steps[i].WindowLeft, left) << c.Name << " step " << i;
                EXPECT_EQ(steps[i].TabLeft, steps[i].WindowLeft - 17) << c.Name;
                EXPECT_EQ(steps[i].IntervalMs, SidebarSlide::SlideIntervalMs) << c.Name;
                left = steps[i].WindowLeft;
            }
            if (c.ExpectedMoves > 0) {
                EXPECT_EQ(left, 1280) << c.Name << ": the last step reaches the edge";
            }
            const SidebarSlide::Step& last = steps.back();
            EXPECT_EQ(last.What, Action::Hide) << c.Name;
            EXPECT_EQ(last.TabLeft, 1280 - 17) << c.Name;
            EXPECT_EQ(last.IntervalMs, SidebarSlide::ShownIntervalMs) << c.Name;
            EXPECT_EQ(slide.Tick(input).What, Action::Stay) << c.Name << ": hidden stays hidden";
        }
    }

    TEST(SidebarSlideTest, TheWindowComesBackWhenThePointerReturns)
    {
        const struct {
            const char* Name;
            int StepsBefore; // ticks after the five that start the slide
            bool ByTab; // touched the tab, else the pointer is over the window
        } cases[] = {
            { "tabTouchedWhileHidden", 30, true },
            { "tabTouchedDuringTheSlide", 2, true },
            { "pointerBackDuringTheSlide", 2, false },
        };
        for (const auto& c : cases) {
            SidebarSlide slide;
            SidebarSlide::Input input = Away();
            for (int tick = 0; tick < SidebarSlide::ShownTicks + c.StepsBefore; ++tick)
                slide.Tick(input);
            ASSERT_NE(slide.TicksLeft(), SidebarSlide::ShownTicks) << c.Name;
            if (c.ByTab)
                slide.Touch();
            else
                input.PointerOverWindow = true;

            const SidebarSlide::Step back = slide.Tick(input);

            EXPECT_EQ(back.What, Action::Show) << c.Name;
            EXPECT_EQ(back.WindowLeft, 1010) << c.Name;
            EXPECT_EQ(back.TabLeft, 993) << c.Name;
            EXPECT_FALSE(slide.Hidden()) << c.Name;
            input.PointerOverWindow = false;
            // A touch keeps the window for ten ticks, the one that shows it included; the pointer
            // keeps it for five more once it has left.
            const int stays = c.ByTab ? SidebarSlide::TouchedTicks - 2 : SidebarSlide::ShownTicks - 1;
            for (int tick = 0; tick < stays; ++tick)
                ASSERT_EQ(slide.Tick(input).What, Action::Stay) << c.Name << " tick " << tick;
            EXPECT_EQ(slide.Tick(input).What, Action::Move) << c.Name;
        }
    }

} // namespace
} // namespace agendrix
