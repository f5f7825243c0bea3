#include "geometry/WindowButtons.h"

#include <gtest/gtest.h>

namespace agendrix {
namespace {

    TEST(WindowButtons, ZonesHaveStrictBoundsAndGaps)
    {
        using B = WindowButton;
        const std::optional<B> none;
        const std::pair<int, std::optional<B>> cases[]
            = { { -1, none }, { 0, none }, { 1, B::Remote }, { 15, B::Remote }, { 16, none }, { 17, none },
                  { 18, B::Minimise }, { 33, B::Minimise }, { 34, B::Maximise }, { 49, B::Maximise },
                  { 50, none }, { 51, none }, { 52, B::Exit }, { 67, B::Exit }, { 68, none } };
        for (const auto& [x, expected] : cases)
            EXPECT_EQ(WindowButtonAt(x), expected) << "x " << x;
        EXPECT_EQ(PressedCellOffset(B::Exit), 52);
        EXPECT_EQ(WindowButtonHint(B::Remote), "Show Agendrix Remote Control");
    }

} // namespace
} // namespace agendrix
