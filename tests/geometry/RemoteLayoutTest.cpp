#include "geometry/RemoteLayout.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <tuple>

namespace agendrix {
namespace {

    using Look = RemoteButtonLook;

    TEST(RemoteLayoutTest, CommandsWithoutAPictureHaveNoRectangles)
    {
        const std::tuple<const char*, int> cases[] = {
            { "zero", 0 },
            { "negative", -1 },
            { "indexHasNoPicture", 11 },
            { "farOutOfRange", 1000 },
        };
        for (const auto& [name, command] : cases) {
            EXPECT_EQ(RemoteButtonPlace(command), PixelRect {}) << name;
            EXPECT_EQ(RemoteButtonCell(command, Look::Pressed), PixelRect {}) << name;
        }
    }

    TEST(RemoteLayoutTest, PointsFindWhatLiesUnderThem)
    {
        using T = RemoteTarget;
        const std::tuple<const char*, int, int, RemoteHit> cases[] = {
            { "leftOfThePanel", -1, 50, {} },
            { "belowThePanel", 50, RemotePlaces::Height, {} },
            { "titleBar", 150, 10, {} },
            { "gapBetweenNewAndOpen", 97, 50, {} },
            { "lastRowAboveNewList", 8, 39, {} },
            { "firstPixelOfNewList", 8, 40, { T::Command, 3 } },
            { "lastPixelOfNewList", 96, 64, { T::Command, 3 } },
            { "openList", 101, 40, { T::Command, 1 } },
            { "saveList", 282, 64, { T::Command, 2 } },
            { "add", 50, 90, { T::Command, 6 } },
            { "edit", 150, 90, { T::Command, 7 } },
            { "delete", 250, 105, { T::Command, 8 } },
            { "export", 8, 125, { T::Command, 4 } },
            { "purge", 189, 146, { T::Command, 5 } },
            { "options", 50, 170, { T::Command, 9 } },
            { "skins", 150, 187, { T::Command, 10 } },
            { "belowSkins", 150, 188, {} },
            { "closeCross", 271, 4, { T::Close, 0 } },
            { "rightOfTheCloseCross", 287, 4, {} },
            { "checkBox", 205, 135, { T::AutoPurge, 0 } },
            { "checkLabel", 281, 141, { T::AutoPurge, 0 } },
            { "betweenBoxAndLabel", 213, 135, {} },
        };
        for (const auto& [name, x, y, expected] : cases) {
            const RemoteHit hit = RemoteHitAt(x, y);
            EXPECT_EQ(hit.Target, expected.Target) << name;
            EXPECT_EQ(hit.Command, expected.Command) << name;
        }
    }

    TEST(RemoteLayoutTest, EveryPictureLiesOnThePanelAndIsHitByItsOwnCommand)
    {
        const PixelRect panel { 0, 0, RemotePlaces::Width, RemotePlaces::Height };
        std::set<int> commands;
        for (int command = 1; command <= RemotePlaces::CommandCount; ++command) {
            const PixelRect place = RemoteButtonPlace(command);
            ASSERT_NE(place, PixelRect {}) << command;
            EXPECT_TRUE(
                panel.Contains(place.X, place.Y) && panel.Contains(place.Right() - 1, place.Bottom() - 1))
                << command;
            EXPECT_EQ(RemoteHitAt(place.X, place.Y), (RemoteHit { RemoteTarget::Command, command }))
                << command;
            EXPECT_EQ(RemoteHitAt(place.Right() - 1, place.Bottom() - 1),
                (RemoteHit { RemoteTarget::Command, command }))
                << command;
            commands.insert(command);
        }
        EXPECT_EQ(commands.size(), static_cast<size_t>(RemotePlaces::CommandCount));
    }

    TEST(RemoteLayoutTest, ButtonFacesFollowTheSheet)
    {
        const std::tuple<const char*, int, Look, PixelRect> cases[] = {
            { "newListNormal", 3, Look::Normal, { 0, 0, 89, 25 } },
            { "newListFocused", 3, Look::Focused, { 0, 25, 89, 25 } },
            { "newListPressed", 3, Look::Pressed, { 0, 50, 89, 25 } },
            { "openListFocused", 1, Look::Focused, { 89, 25, 89, 25 } },
            { "saveListPressed", 2, Look::Pressed, { 178, 50, 89, 25 } },
            { "exportNormal", 4, Look::Normal, { 0, 75, 89, 22 } },
            { "exportFocused", 4, Look::Focused, { 0, 96, 89, 22 } },
            { "exportPressed", 4, Look::Pressed, { 0, 117, 89, 22 } },
            { "purgeFocused", 5, Look::Focused, { 89, 96, 89, 22 } },
            { "addPressed", 6, Look::Pressed, { 178, 117, 89, 22 } },
            { "editNormal", 7, Look::Normal, { 0, 138, 89, 22 } },
            { "deleteFocused", 8, Look::Focused, { 89, 159, 89, 22 } },
            { "optionsPressed", 9, Look::Pressed, { 178, 180, 89, 22 } },
            { "skinsFocused", 10, Look::Focused, { 0, 222, 89, 22 } },
            { "skinsPressed", 10, Look::Pressed, { 0, 243, 89, 22 } },
        };
        for (const auto& [name, command, look, expected] : cases)
            EXPECT_EQ(RemoteButtonCell(command, look), expected) << name;
        for (int command = 1; command <= RemotePlaces::CommandCount; ++command) {
            const PixelRect cell = RemoteButtonCell(command, Look::Pressed);
            const PixelRect place = RemoteButtonPlace(command);
            EXPECT_EQ(cell.Width, place.Width) << command;
            EXPECT_EQ(cell.Height, place.Height) << command;
            EXPECT_LE(cell.Right(), RemoteCells::SheetWidth) << command;
            EXPECT_LE(cell.Bottom(), RemoteCells::SheetHeight) << command;
        }
    }

    TEST(RemoteLayoutTest, CloseCheckAndTitleMarkFacesFollowTheSheet)
    {
        const std::tuple<const char*, PixelRect, PixelRect> cases[] = {
            // The close cross has no focused face: a release shows the normal one.
            { "closeFocused", RemoteCloseCell(Look::Focused), { 89, 201, 16, 14 } },
            { "closeNormal", RemoteCloseCell(Look::Normal), { 89, 201, 16, 14 } },
            { "closePressed", RemoteCloseCell(Look::Pressed), { 89, 215, 16, 14 } },
            { "checkClear", RemoteCheckCell(AutoPurgeLook::Clear), { 89, 229, 12, 12 } },
            { "checkSet", RemoteCheckCell(AutoPurgeLook::Set), { 89, 241, 12, 12 } },
            { "titleInactive", RemoteTitleMarkCell(PanelActivity::Inactive), { 105, 201, 52, 18 } },
            { "titleActive", RemoteTitleMarkCell(PanelActivity::Active), { 105, 219, 52, 18 } },
        };
        for (const auto& [name, cell, expected] : cases)
            EXPECT_EQ(cell, expected) << name;
    }

    TEST(RemoteLayoutTest, PlaceMeGoesBesideTheListWhenThereIsRoom)
    {
        const PixelRect screen { 0, 0, 1024, 768 };
        const PixelRect offsetScreen { 1920, 100, 1280, 1024 };
        const int panel = RemotePlaces::Width;
        const std::tuple<const char*, PanelPlacement, std::optional<PanelPosition>> cases[] = {
            { "listPastTheScreenEdge", { ListMode::Normal, screen, { 900, 50, 400, 300 }, 0, panel },
                std::nullopt },
            { "roomSmallerThanThePanel", { ListMode::Normal, screen, { 300, 50, 500, 300 }, 0, panel },
                std::nullopt },
            { "roomExactlyThePanelWidth", { ListMode::Normal, screen, { 233, 50, 500, 300 }, 0, panel },
                std::nullopt },
            { "roomOnePixelWider", { ListMode::Normal, screen, { 232, 50, 500, 300 }, 0, panel },
                PanelPosition { 732, 50 } },
            { "listAtTheLeft", { ListMode::Normal, screen, { 10, 120, 400, 300 }, 0, panel },
                PanelPosition { 410, 120 } },
            { "secondScreen", { ListMode::Normal, offsetScreen, { 2000, 300, 400, 300 }, 0, panel },
                PanelPosition { 2400, 300 } },
            { "sidebarIgnoresTheListPlace", { ListMode::Sidebar, screen, { 10, 120, 400, 300 }, 250, panel },
                PanelPosition { 1024 - 250 - panel, 0 } },
            { "sidebarOnSecondScreen",
                { ListMode::Sidebar, offsetScreen, { 2900, 100, 300, 1024 }, 300, panel },
                PanelPosition { 3200 - 300 - panel, 100 } },
        };
        for (const auto& [name, placement, expected] : cases)
            EXPECT_EQ(PlaceRemote(placement), expected) << name;
    }

} // namespace
} // namespace agendrix
