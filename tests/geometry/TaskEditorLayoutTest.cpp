#include "geometry/TaskEditorLayout.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

namespace agendrix {
namespace {

    namespace Layout = TaskEditorLayout;

    bool Overlap(const PixelRect& a, const PixelRect& b)
    {
        return a.X < b.Right() && b.X < a.Right() && a.Y < b.Bottom() && b.Y < a.Bottom();
    }

    TEST(TaskEditorLayoutTest, IndexesOutOfRangeHaveNoRectangle)
    {
        for (int option : { -1, Layout::PriorityOptions }) {
            EXPECT_EQ(Layout::PriorityOption(option), PixelRect {}) << option;
            EXPECT_EQ(Layout::PriorityLabel(option), PixelRect {}) << option;
        }
        for (int kind : { -1, Layout::DayKinds }) {
            EXPECT_EQ(Layout::DayKindPicture(kind), PixelRect {}) << kind;
            EXPECT_EQ(Layout::DayKindRow(kind), PixelRect {}) << kind;
        }
    }

    TEST(TaskEditorLayoutTest, DayKindRowsSelectBetweenTheirEdges)
    {
        const std::tuple<const char*, int, int, std::optional<int>> cases[] = {
            { "leftOfTheRows", 219, 250, std::nullopt },
            { "aboveTheFirstRow", 230, 245, std::nullopt },
            { "gapBetweenRows", 230, 258, std::nullopt },
            { "pastTheWeekPicture", 396, 250, std::nullopt },
            { "firstPixelOfTheFirstRow", 220, 246, 0 },
            { "weekPictureOfTheSecondRow", 330, 275, 1 },
            { "lastPixelOfTheLastRow", 395, 305, 2 },
            { "belowTheLastRow", 300, 306, std::nullopt },
        };
        for (const auto& [name, x, y, expected] : cases)
            EXPECT_EQ(Layout::DayKindAt(x, y), expected) << name;
        for (int kind = 0; kind < Layout::DayKinds; ++kind) {
            const PixelRect picture = Layout::DayKindPicture(kind);
            EXPECT_EQ(Layout::DayKindAt(picture.X, picture.Y), kind) << "the picture lies in its own row";
        }
    }

    TEST(TaskEditorLayoutTest, ButtonCellsFollowTheSheetRows)
    {
        using B = EditorButton;
        using L = EditorButtonLook;
        const std::tuple<const char*, B, L, PixelRect> cases[] = {
            // Delete Task and the close cross have no focused picture.
            { "deleteFocused", B::DeleteTask, L::Focused, { 0, 75, 109, 17 } },
            { "closeFocused", B::Close, L::Focused, { 109, 75, 16, 14 } },
            { "deletePressed", B::DeleteTask, L::Pressed, { 0, 92, 109, 17 } },
            { "closePressed", B::Close, L::Pressed, { 109, 89, 16, 14 } },
            { "okNormal", B::Ok, L::Normal, { 0, 0, 73, 25 } },
            { "cancelFocused", B::Cancel, L::Focused, { 73, 25, 73, 25 } },
            { "browsePressed", B::Browse, L::Pressed, { 146, 50, 81, 25 } },
        };
        for (const auto& [name, button, look, expected] : cases)
            EXPECT_EQ(EditorButtonCell(button, look), expected) << name;
        for (B button : { B::Ok, B::Cancel, B::Browse, B::DeleteTask, B::Close }) {
            const PixelRect cell = EditorButtonCell(button, L::Normal);
            const PixelRect target = EditorButtonTarget(button);
            EXPECT_EQ(cell.Width, target.Width);
            EXPECT_EQ(cell.Height, target.Height);
        }
        EXPECT_EQ(DayKindCell(DayKindLook::Set), (PixelRect { 117, 111, 8, 8 }));
    }

    TEST(TaskEditorLayoutTest, ControlsLieInsideTheDialogWithoutOverlapping)
    {
        std::vector<PixelRect> controls { Layout::Description, Layout::Information, Layout::DatePicker,
            Layout::Days, Layout::DaysUp, Layout::DaysDown, Layout::File };
        for (EditorButton button : { EditorButton::Ok, EditorButton::Cancel, EditorButton::Browse,
                 EditorButton::DeleteTask, EditorButton::Close })
            controls.push_back(EditorButtonTarget(button));
        for (int option = 0; option < Layout::PriorityOptions; ++option) {
            controls.push_back(Layout::PriorityOption(option));
            controls.push_back(Layout::PriorityLabel(option));
        }
        for (int kind = 0; kind < Layout::DayKinds; ++kind)
            controls.push_back(Layout::DayKindRow(kind));
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const PixelRect& c = controls[i];
            EXPECT_TRUE(c.X >= 0 && c.Y >= 0 && c.Right() <= Layout::Width && c.Bottom() <= Layout::Height)
                << i;
            for (std::size_t j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(Overlap(c, controls[j])) << i << " and " << j;
        }
    }

} // namespace
} // namespace agendrix
