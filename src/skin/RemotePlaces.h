#pragma once

#include "PixelRect.h"

#include <array>
#include <string_view>

namespace agendrix {

// The remote panel, in pixels: where each picture lies on the panel (drawn around them in
// remote.bmp) and where its faces lie in the button sheet (remtbtns.bmp). The skin generator
// draws from these numbers and the panel places and cuts its pictures by them.
namespace RemotePlaces {
    inline constexpr int Width = 291;
    inline constexpr int Height = 194;
    inline constexpr int TitleHeight = 22;
    inline constexpr PixelRect Close { 271, 4, 16, 14 }; // picXitBut
    inline constexpr PixelRect TitleMark { 0, 0, 52, 18 }; // drawn on the panel itself
    inline constexpr PixelRect Check { 200, 130, 12, 12 }; // picCheck1
    inline constexpr PixelRect CheckLabel { 216, 130, 66, 12 }; // ssximgb_Check1, "Auto Purge"

    inline constexpr int CommandCount = 10; // picCommand1 to picCommand10

    // One picture button: the command it runs (its number), its caption with the access key
    // after "&", where it lies on the panel and where its normal face lies in the sheet. The
    // focused and pressed faces follow below the normal one, FaceStep rows apart: the 25-high
    // list buttons do not overlap, the 22-high others share a plain first and last row.
    struct Button {
        int Command;
        std::string_view Caption;
        PixelRect Place;
        PixelRect Cell;
        int FaceStep;
    };
    inline constexpr std::array<Button, CommandCount> Buttons { {
        { 3, "&New List", { 8, 40, 89, 25 }, { 0, 0, 89, 25 }, 25 },
        { 1, "&Open List", { 101, 40, 89, 25 }, { 89, 0, 89, 25 }, 25 },
        { 2, "&Save List", { 194, 40, 89, 25 }, { 178, 0, 89, 25 }, 25 },
        { 6, "&Add", { 8, 84, 89, 22 }, { 178, 75, 89, 22 }, 21 },
        { 7, "E&dit", { 101, 84, 89, 22 }, { 0, 138, 89, 22 }, 21 },
        { 8, "&Delete", { 194, 84, 89, 22 }, { 89, 138, 89, 22 }, 21 },
        { 4, "&Export", { 8, 125, 89, 22 }, { 0, 75, 89, 22 }, 21 },
        { 5, "&Purge", { 101, 125, 89, 22 }, { 89, 75, 89, 22 }, 21 },
        { 9, "Op&tions", { 8, 166, 89, 22 }, { 178, 138, 89, 22 }, 21 },
        { 10, "S&kins", { 101, 166, 89, 22 }, { 0, 201, 89, 22 }, 21 },
    } };
} // namespace RemotePlaces

namespace RemoteCells {
    inline constexpr int SheetWidth = 267;
    inline constexpr int SheetHeight = 265;
    inline constexpr PixelRect CloseNormal { 89, 201, 16, 14 };
    inline constexpr PixelRect ClosePressed { 89, 215, 16, 14 };
    inline constexpr PixelRect TitleMarkInactive { 105, 201, 52, 18 };
    inline constexpr PixelRect TitleMarkActive { 105, 219, 52, 18 };
    inline constexpr PixelRect CheckClear { 89, 229, 12, 12 };
    inline constexpr PixelRect CheckSet { 89, 241, 12, 12 };
} // namespace RemoteCells

} // namespace agendrix
