// The window finds each picture of a skin at a cell of its bitmaps, and the generator draws each
// picture somewhere in them: the two must agree for every skin the generator draws.

#include "ListWindowArt.h"
#include "SkinLayout.h"

#include "skin/ListWindowPlaces.h"
#include "skin/SkinCells.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace agendrix::skins {
namespace {

    Rect RectOf(const PixelRect& cell) { return { cell.X, cell.Y, cell.Width, cell.Height }; }

    // Where two pictures first differ, or nothing when they are the same.
    std::string Difference(const Image& shown, const Image& drawn)
    {
        if (shown.Width() != drawn.Width() || shown.Height() != drawn.Height())
            return "the cell is " + std::to_string(shown.Width()) + "x" + std::to_string(shown.Height())
                + ", the picture " + std::to_string(drawn.Width()) + "x" + std::to_string(drawn.Height());
        for (int y = 0; y < shown.Height(); ++y)
            for (int x = 0; x < shown.Width(); ++x)
                if (!(shown.At(x, y) == drawn.At(x, y)))
                    return "they differ at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        return {};
    }

    std::vector<Theme> Themes()
    {
        std::vector<Theme> themes;
        for (const std::string_view name : SkinNames)
            themes.push_back(*ThemeByName(name));
        return themes;
    }

    TEST(GeneratorCellsTest, EveryButtonCellHoldsItsPicture)
    {
        using Piece = std::function<Image(const Theme&)>;
        const std::tuple<const char*, PixelRect, Piece> cases[] = {
            { "barKeysPressed", ButtonCells::BarKeys(ButtonFace::Pressed),
                [](const Theme& t) { return ControlKeys(t, Face::Pressed); } },
            { "barKeysHighlighted", ButtonCells::BarKeys(ButtonFace::Highlighted),
                [](const Theme& t) { return ControlKeys(t, Face::Hover); } },
            { "secondKey", ButtonCells::BarKey(1, ButtonFace::Normal),
                [](const Theme& t) {
                    return ControlKeys(t, Face::Normal)
                        .Crop(
                            { ControlBarPlaces::KeyStep, 0, ButtonCells::BarKey(1, ButtonFace::Normal).Width,
                                ButtonCells::BarKey(1, ButtonFace::Normal).Height });
                } },
            { "closeHandlePressed", ButtonCells::CloseHandle(ButtonFace::Pressed),
                [](const Theme& t) { return BarHandle(t, Face::Pressed, true); } },
            { "expandHandleHighlighted", ButtonCells::ExpandHandle(ButtonFace::Highlighted),
                [](const Theme& t) { return BarHandle(t, Face::Hover, false); } },
            { "windowButtons", ButtonCells::WindowControls,
                [](const Theme& t) { return WindowButtons(t, Face::Normal); } },
            { "exitPressed",
                ButtonCells::WindowButton(ListWindowPlaces::WindowButtonOffsets[3], ButtonState::Pressed),
                [](const Theme& t) {
                    return WindowButtons(t, Face::Pressed)
                        .Crop({ ListWindowPlaces::WindowButtonOffsets[3], 0,
                            ListWindowPlaces::WindowButtonWidth, ListWindowPlaces::WindowButtons.Height });
                } },
            { "thumb", ButtonCells::Slider, [](const Theme& t) { return SliderThumb(t, Face::Normal); } },
            { "thumbPressed", ButtonCells::SliderPressed,
                [](const Theme& t) { return SliderThumb(t, Face::Pressed); } },
            { "scrollDownPressed", ButtonCells::ScrollButton(1, ButtonState::Pressed),
                [](const Theme& t) { return ScrollButton(t, false, Face::Pressed); } },
            { "menuButton", ButtonCells::FunctionButton,
                [](const Theme& t) { return FunctionButtonCell(t, Face::Normal); } },
            { "menuButtonPressed", ButtonCells::FunctionButtonPressed,
                [](const Theme& t) { return FunctionButtonCell(t, Face::Pressed); } },
            { "activityActive", ButtonCells::ActivityActive,
                [](const Theme& t) { return ActivityStripCell(t, true); } },
        };
        for (const Theme& theme : Themes()) {
            const Image sheet = ButtonBitmap(theme);
            for (const auto& [name, cell, piece] : cases)
                EXPECT_EQ(Difference(sheet.Crop(RectOf(cell)), piece(theme)), "") << name;
        }
    }

    // The open bar's last frame shows the close handle and the keys where the window's hit zones
    // expect them; a collapsed bar is the expand handle in the collapsed cell.
    TEST(GeneratorCellsTest, ControlBarFramesPutTheButtonsWhereTheWindowLooks)
    {
        for (const Theme& theme : Themes()) {
            const Image frames = ControlBarBitmap(theme);
            const PixelRect first = AnimationCells::Frame(0);
            ASSERT_EQ(frames.Width(), first.Width);
            ASSERT_EQ(frames.Height(), first.Height * AnimationCells::FrameCount);
            const Image open = frames.Crop(RectOf(AnimationCells::Frame(AnimationCells::FrameCount - 1)));
            const PixelRect handle = ButtonCells::CloseHandle(ButtonFace::Normal);
            EXPECT_EQ(Difference(open.Crop({ ControlBarPlaces::HandleLeft, 0, handle.Width, handle.Height }),
                          BarHandle(theme, Face::Normal, true)),
                "");
            const PixelRect keys = ButtonCells::BarKeys(ButtonFace::Normal);
            EXPECT_EQ(Difference(open.Crop({ ControlBarPlaces::KeysLeft, ControlBarPlaces::KeysTop,
                                     keys.Width, keys.Height }),
                          ControlKeys(theme, Face::Normal)),
                "");
            const Image collapsed = frames.Crop(RectOf(AnimationCells::Collapsed));
            EXPECT_EQ(
                Difference(collapsed.Crop({ ControlBarPlaces::HandleLeft, 0, handle.Width, handle.Height }),
                    BarHandle(theme, Face::Normal, false)),
                "");
        }
    }

} // namespace
} // namespace agendrix::skins
