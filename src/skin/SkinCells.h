#pragma once

#include "PixelRect.h"

namespace agendrix {

// Where each picture of a skin lies in its bitmap. A strip of main.bmp is a left piece, a middle
// tile repeated across the window and a right piece.
struct StripCells {
    PixelRect Left;
    PixelRect Middle;
    PixelRect Right;
};

namespace MainCells {
    // The title bar has bands of its own; every other strip uses columns 0-48, 50-428 and 430-474.
    inline constexpr StripCells Title { { 0, 0, 92, 30 }, { 93, 0, 303, 30 }, { 397, 0, 78, 30 } };
    inline constexpr StripCells Row { { 0, 31, 49, 24 }, { 50, 31, 379, 24 }, { 430, 31, 45, 24 } };
    inline constexpr StripCells BlockTop { { 0, 56, 49, 16 }, { 50, 56, 379, 16 }, { 430, 56, 45, 16 } };
    inline constexpr StripCells BlockMiddle { { 0, 72, 49, 8 }, { 50, 72, 379, 8 }, { 430, 72, 45, 8 } };
    inline constexpr StripCells BlockBottom { { 0, 80, 49, 24 }, { 50, 80, 379, 24 }, { 430, 80, 45, 24 } };
    inline constexpr StripCells ListEnd { { 0, 105, 49, 3 }, { 50, 105, 379, 3 }, { 430, 105, 45, 3 } };
    inline constexpr StripCells Filler { { 0, 109, 49, 4 }, { 50, 109, 379, 4 }, { 430, 109, 45, 4 } };
    inline constexpr StripCells StatusBar { { 0, 114, 49, 24 }, { 50, 114, 379, 24 }, { 430, 114, 45, 24 } };
} // namespace MainCells

enum class ButtonState { Normal, Pressed };

// The faces of most buttons in buttons.bmp: normal, highlighted (under the pointer) and pressed.
enum class ButtonFace { Normal = 0, Highlighted = 1, Pressed = 2 };

namespace ButtonCells {
    // Buttons whose faces lie in rows 16 pixels apart, one row per face.
    inline constexpr int FaceRow = 16;
    constexpr int RowOf(ButtonFace face) { return FaceRow * static_cast<int>(face); }

    // The four keys of the open control bar as one strip, and one key of it.
    constexpr PixelRect BarKeys(ButtonFace face) { return { 0, RowOf(face), 73, 16 }; }
    constexpr PixelRect BarKey(int key, ButtonFace face) { return { 18 * key, RowOf(face), 19, 16 }; }
    // The bar's handle: the close cross of the open bar, the arrows of a collapsed one.
    constexpr PixelRect CloseHandle(ButtonFace face)
    {
        return { 141 + 16 * static_cast<int>(face), 0, 16, 19 };
    }
    constexpr PixelRect ExpandHandle(ButtonFace face) { return { 16 * static_cast<int>(face), 48, 16, 19 }; }
    // The window buttons' strip.
    constexpr PixelRect WindowButtonStrip(ButtonFace face) { return { 73, RowOf(face), 68, 14 }; }

    inline constexpr PixelRect Slider { 0, 68, 13, 13 };
    inline constexpr PixelRect SliderPressed { 13, 68, 13, 13 };
    inline constexpr PixelRect WindowControls = WindowButtonStrip(ButtonFace::Normal);
    inline constexpr PixelRect FunctionButton { 0, 81, 16, 14 };
    inline constexpr PixelRect FunctionButtonPressed { 16, 81, 16, 14 };
    inline constexpr PixelRect FunctionButtonHighlighted { 32, 81, 16, 14 };
    inline constexpr PixelRect ActivityInactive { 48, 48, 75, 18 };
    inline constexpr PixelRect ActivityActive { 48, 66, 75, 18 };

    // One window button of the strip, `offset` pixels into it: the pressed ones lie two strips
    // down (the highlighted strip is between).
    constexpr PixelRect WindowButton(int offset, ButtonState state)
    {
        const PixelRect strip
            = WindowButtonStrip(state == ButtonState::Pressed ? ButtonFace::Pressed : ButtonFace::Normal);
        return { strip.X + offset, strip.Y, 16, strip.Height };
    }

    // Scroll button 0 (up) or 1 (down): released at y 14i + 48, pressed at y 14i + 55.
    constexpr PixelRect ScrollButton(int index, ButtonState state)
    {
        return { 123, 14 * index + (state == ButtonState::Pressed ? 55 : 48), 13, 7 };
    }
} // namespace ButtonCells

namespace LampCells {
    inline constexpr int BandHeight = 22;
    inline constexpr int FlickerFrames = 3;

    // The band of a priority code 1 to 10 starts at y (10 - code) * 22; the lamp is copied from
    // there to the right and downwards as far as the lamp control's size.
    constexpr PixelRect Lamp(int code, int width, int height)
    {
        return { 0, (10 - code) * BandHeight, width, height };
    }
    // Flicker frame 0 to 2 of a broken lamp: bands 10 to 12.
    constexpr PixelRect Flicker(int frame, int width, int height)
    {
        return { 0, (10 + frame) * BandHeight, width, height };
    }
} // namespace LampCells

namespace AnimationCells {
    inline constexpr int FrameCount = 25; // 0 closed to 24 fully open
    inline constexpr PixelRect Collapsed { 80, 0, 18, 20 };

    constexpr PixelRect Frame(int frame) { return { 0, 20 * frame, 98, 20 }; }
} // namespace AnimationCells

} // namespace agendrix
