#pragma once

#include "PixelRect.h"

namespace agendrix {

// Where the list window shows the pictures of its title bar and frame, in window pixels (a
// negative x counts from the window's right edge). The skins' pictures are drawn to fit these
// places: the title bar behind a button is painted into the button's own cell. So the window and
// the skin generator read them both from here.
namespace ListWindowPlaces {
    inline constexpr PixelRect MenuButton { 3, 3, 16, 14 }; // picFuncCtrl
    inline constexpr PixelRect ActivityStrip { 19, 0, 75, 18 };
    // lblCaption: W - 150 wide.
    inline constexpr int CaptionLeft = 80;
    inline constexpr int CaptionTop = 6;
    inline constexpr int CaptionHeight = 16;
    inline constexpr int CaptionWidthLess = 150;
    // picWinCtrls: the Remote, Minimise, Maximise and Exit buttons, 70 pixels from the right.
    inline constexpr PixelRect WindowButtons { -70, 3, 68, 14 };
    // The slider and the scroll buttons, 18 pixels from the right; the up button below the title.
    inline constexpr int ScrollColumn = -18;
    inline constexpr int ScrollUpTop = 21;
    inline constexpr int LampLeft = 7;
    // The information block's grip, in the block's bottom piece (which starts 20 pixels above
    // the block's end).
    inline constexpr PixelRect BlockGrip { 6, 6, 32, 9 };
    // Where each window button starts in the window buttons' strip: Remote, Minimise, Maximise,
    // Exit, 16 pixels wide each.
    inline constexpr int WindowButtonOffsets[] = { 0, 18, 34, 52 };
    inline constexpr int WindowButtonWidth = 16;
} // namespace ListWindowPlaces

// The open control bar, in the bar's own pixels: its handle (the close button) and its four keys,
// 19 pixels wide and 18 apart so that neighbours share a border.
namespace ControlBarPlaces {
    inline constexpr int HandleLeft = 2;
    inline constexpr int KeysLeft = 22;
    inline constexpr int KeysTop = 2;
    inline constexpr int KeyStep = 18;
    inline constexpr int KeyCount = 4;
} // namespace ControlBarPlaces

} // namespace agendrix
