#include "geometry/BarAnimation.h"
#include "geometry/LampAnimation.h"
#include "geometry/PriorityStepper.h"
#include "geometry/TitleGlide.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>
#include <vector>

namespace agendrix {
namespace {

    using Shown = std::pair<int, int>; // the wide bar's row and its frame

    // Runs the animation to its end and returns every paint; `lineAt` gives the row that should be
    // open before each step.
    std::vector<Shown> Animate(BarAnimation& animation, const std::function<int(std::size_t)>& lineAt)
    {
        std::vector<Shown> paints;
        while (animation.Running() && paints.size() < 1000) {
            paints.emplace_back(animation.WideRow(), animation.Frame());
            animation.Step(lineAt(paints.size()));
        }
        return paints;
    }

    std::vector<Shown> Frames(int row, int from, int to, int repeat)
    {
        std::vector<Shown> frames;
        for (int f = from; from <= to ? f <= to : f >= to; f += from <= to ? 1 : -1)
            frames.insert(frames.end(), static_cast<std::size_t>(repeat), { row, f });
        return frames;
    }

    std::vector<Shown> Joined(std::vector<Shown> a, const std::vector<Shown>& b)
    {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    TEST(BarAnimationTest, EachFrameIsPaintedByTheSpeed)
    {
        const std::tuple<const char*, int, int> cases[] = {
            { "zero", 0, 1 },
            { "one", 1, 1 },
            { "twoRoundsUp", 2, 2 },
            { "three", 3, 3 },
            { "fiveHalfToEven", 5, 3 },
            { "sevenHalfToEven", 7, 5 },
            { "ten", 10, 6 },
        };
        for (const auto& [name, speed, paints] : cases) {
            EXPECT_EQ(PaintsPerFrame(speed), paints) << name;
            BarAnimation animation;
            ASSERT_TRUE(animation.Start(2, speed)) << name;
            EXPECT_EQ(Animate(animation, [](std::size_t) { return 2; }), Frames(2, 0, 24, paints)) << name;
            EXPECT_EQ(animation.OpenRow(), 2) << name;
        }
    }

    TEST(BarAnimationTest, OpenBarRollsUpBeforeTheNextUnrolls)
    {
        BarAnimation moving;
        moving.Jump(1);
        ASSERT_TRUE(moving.Start(3, 1));
        EXPECT_EQ(
            Animate(moving, [](std::size_t) { return 3; }), Joined(Frames(1, 24, 0, 1), Frames(3, 0, 24, 1)));

        BarAnimation closing;
        closing.Jump(1);
        ASSERT_TRUE(closing.Start(-1, 1));
        EXPECT_EQ(Animate(closing, [](std::size_t) { return -1; }), Frames(1, 24, 0, 1));
        EXPECT_EQ(closing.OpenRow(), -1);
        EXPECT_EQ(closing.WideRow(), -1);

        BarAnimation nothing;
        ASSERT_TRUE(nothing.Start(-1, 3));
        EXPECT_FALSE(nothing.Running());
    }

    TEST(BarAnimationTest, AnotherRowChosenMidwayStopsTheRunningPhase)
    {
        // Row 0 unrolls; after six paints row 2 is chosen: row 0 rolls up from frame 5.
        BarAnimation unrolling;
        ASSERT_TRUE(unrolling.Start(0, 1));
        EXPECT_FALSE(unrolling.Start(2, 1)); // one animation at a time
        const auto paints = Animate(unrolling, [](std::size_t n) { return n < 6 ? 0 : 2; });
        EXPECT_EQ(paints, Joined(Joined(Frames(0, 0, 5, 1), Frames(0, 5, 0, 1)), Frames(2, 0, 24, 1)));

        // Row 1 rolls up on its way to row 3, and row 1 is chosen again: it unrolls afresh.
        BarAnimation rollingUp;
        rollingUp.Jump(1);
        ASSERT_TRUE(rollingUp.Start(3, 1));
        const auto back = Animate(rollingUp, [](std::size_t n) { return n < 4 ? 3 : 1; });
        EXPECT_EQ(back, Joined(Frames(1, 24, 21, 1), Frames(1, 0, 24, 1)));
    }

    TEST(TitleGlideTest, InactiveThenActiveStripSlidesInOverThirtyTicks)
    {
        TitleGlide glide;
        EXPECT_EQ(glide.InactiveWidth(), 0);
        std::vector<std::pair<int, int>> widths;
        while (glide.Tick())
            widths.emplace_back(glide.InactiveWidth(), glide.ActiveWidth());
        ASSERT_EQ(widths.size(), 29u); // the 30th tick ends it
        EXPECT_EQ(widths[0], std::make_pair(5, 0));
        EXPECT_EQ(widths[13], std::make_pair(70, 0));
        EXPECT_EQ(widths[14], std::make_pair(75, 0)); // drawn in full, then the active phase
        EXPECT_EQ(widths[15], std::make_pair(75, 5));
        EXPECT_EQ(widths[28], std::make_pair(75, 70));
        EXPECT_TRUE(glide.Done());
        EXPECT_EQ(glide.ActiveWidth(), 75);
        EXPECT_FALSE(glide.Tick());
    }

    TEST(LampAnimationTest, BlinkAlternatesAndFlickerFavoursTheSteadyFrame)
    {
        LampAnimation lamps;
        EXPECT_EQ(lamps.ExtremeBand(), 198);
        lamps.Blink();
        EXPECT_EQ(lamps.ExtremeBand(), 176);
        lamps.Blink();
        EXPECT_EQ(lamps.ExtremeBand(), 198);

        EXPECT_EQ(LampAnimation::BrokenBand(1), 242);
        EXPECT_EQ(LampAnimation::BrokenBand(2), 264);
        EXPECT_EQ(LampAnimation::BrokenBand(7), 220);
        int counts[8] = {};
        for (int i = 0; i < 7000; ++i) {
            const int draw = lamps.Draw();
            ASSERT_GE(draw, 1);
            ASSERT_LE(draw, 7);
            ++counts[draw];
        }
        for (int r = 1; r <= 7; ++r)
            EXPECT_NEAR(counts[r], 1000, 150) << r;
    }

    TEST(PriorityStepperTest, StepsThroughEveryBandToTheLast)
    {
        const std::tuple<const char*, int, int, std::vector<int>> cases[] = {
            { "sameCode", 5, 5, {} },
            { "down", 10, 2, { 10, 9, 8, 7, 6, 5, 4, 3, 2 } },
            { "up", 3, 5, { 3, 4, 5 } },
        };
        for (const auto& [name, from, to, expected] : cases) {
            PriorityStepper stepper(from, to, 1);
            std::vector<int> shown;
            while (stepper.Tick()) {
                shown.push_back(stepper.Code());
                EXPECT_EQ(stepper.LampRow(), 1) << name;
            }
            EXPECT_EQ(shown, expected) << name;
            EXPECT_FALSE(stepper.Running()) << name;
        }
    }

} // namespace
} // namespace agendrix
