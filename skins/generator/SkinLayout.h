#pragma once

#include "Image.h"

#include "skin/ListWindowPlaces.h"
#include "skin/RemotePlaces.h"
#include "skin/SkinCells.h"

#include <array>
#include <string_view>

// Where things sit in the windows the skins are drawn for. The list window's numbers follow from
// how the window composes itself out of main.bmp; the editor's and the remote panel's are the
// layout their backgrounds are drawn around, and the windows place their controls on them.
namespace agendrix::skins {

// The list window's own numbers: where it shows each picture and where it finds each cell. The
// pictures are drawn to fit them, so they are read from the window's headers, never written here.
constexpr Rect FromPixels(const PixelRect& r) { return { r.X, r.Y, r.Width, r.Height }; }

namespace ListLayout {
    // The pieces of main.bmp are cut from strips drawn at this width: a 49-pixel left band, one
    // 379-pixel middle tile and a 45-pixel right band (the title: 92, 303 and 78).
    inline constexpr int StripWidth = 473;
    inline constexpr int LeftBand = 49;
    inline constexpr int MiddleTile = 379;
    inline constexpr int RightBand = 45;
    inline constexpr int TitleLeft = 92;
    inline constexpr int TitleMiddle = 303;
    inline constexpr int TitleRight = 78;

    inline constexpr int TitleHeight = 30;
    inline constexpr int TitleEdgeRow = 19; // last row of the coloured title band
    inline constexpr int ShelfFirstRow = 20; // the shelf under it, down to row 27
    inline constexpr int ListTopRow = 28; // dark line above the first row
    inline constexpr int RowHeight = 24;

    // Columns of the left band: outline, three rail columns, the list's left edge.
    inline constexpr int ListLeftEdge = 4;
    inline constexpr int ListFirstColumn = 5;
    // Columns of the right band, counted from its left (the band starts at W - 45).
    inline constexpr int ListLastColumn = 23;
    inline constexpr int ColumnEdge = 24; // the scroll column's left line
    inline constexpr int ThumbColumn = 27; // the slider and scroll buttons: W - 18, 13 wide
    inline constexpr int ThumbWidth = 13;
    inline constexpr int GrooveFirst = 30; // the slider's channel, columns 30-36
    inline constexpr int GrooveLast = 36;

    // Controls of the list window that lie on the title bar (window pixels).
    inline constexpr Rect FunctionButton = FromPixels(ListWindowPlaces::MenuButton);
    inline constexpr Rect ActivityStrip = FromPixels(ListWindowPlaces::ActivityStrip);
    inline constexpr int CaptionLeft = ListWindowPlaces::CaptionLeft;
    inline constexpr int CaptionTop = ListWindowPlaces::CaptionTop;
    inline constexpr int WindowButtonsTop = ListWindowPlaces::WindowButtons.Y;
    inline constexpr int ScrollUpTop = ListWindowPlaces::ScrollUpTop;

    // A lamp sits at (7, row top - 1); its band's first row lies on the rule above the row.
    inline constexpr int LampLeft = ListWindowPlaces::LampLeft;
    inline constexpr int LampWidth = 22;
    inline constexpr int LampBand = LampCells::BandHeight;
    inline constexpr double LampCentreX = 10.0; // in the band; the lamp fits its top-left 18x18
    inline constexpr double LampCentreY = 10.5;
    inline constexpr double LampRadius = 7.25;

    // The control bar: 98 by 20 when open, at (W - 125, row top); collapsed, its right 18 columns.
    inline constexpr int BarWidth = AnimationCells::Frame(0).Width;
    inline constexpr int BarHeight = AnimationCells::Frame(0).Height;
    inline constexpr int BarFrames = AnimationCells::FrameCount;
    inline constexpr int CollapsedLeft = AnimationCells::Collapsed.X;
    // The handle (expand handle when collapsed, close button when open): 16 by 19.
    inline constexpr int HandleWidth = ButtonCells::CloseHandle(agendrix::ButtonFace::Normal).Width;
    inline constexpr int HandleHeight = ButtonCells::CloseHandle(agendrix::ButtonFace::Normal).Height;
    inline constexpr int HandleOffset = ControlBarPlaces::HandleLeft;
    // The four buttons of the open bar form one strip of 19-pixel keys that share their borders.
    inline constexpr int KeysLeft = ControlBarPlaces::KeysLeft;
    inline constexpr int KeysTop = ControlBarPlaces::KeysTop;
    inline constexpr int KeyWidth = ButtonCells::BarKey(0, agendrix::ButtonFace::Normal).Width;
    inline constexpr int KeyStep = ControlBarPlaces::KeyStep;
    inline constexpr int KeyHeight = ButtonCells::BarKey(0, agendrix::ButtonFace::Normal).Height;
    inline constexpr int KeyCount = ControlBarPlaces::KeyCount;
    inline constexpr int KeysWidth = KeyStep * KeyCount + 1;

    // The window buttons in their 68 by 14 strip: Remote, Minimise, Maximise, Exit.
    inline constexpr std::array<int, 4> WindowButtonLeft { ListWindowPlaces::WindowButtonOffsets[0],
        ListWindowPlaces::WindowButtonOffsets[1], ListWindowPlaces::WindowButtonOffsets[2],
        ListWindowPlaces::WindowButtonOffsets[3] };
    inline constexpr int WindowButtonWidth = ListWindowPlaces::WindowButtonWidth;
    inline constexpr int WindowButtonsWidth = ListWindowPlaces::WindowButtons.Width;
    inline constexpr int WindowButtonsHeight = ListWindowPlaces::WindowButtons.Height;

    // The information block: its grip (imgAccDrag) lies at (6, 6) of the bottom piece.
    inline constexpr Rect BlockGrip = FromPixels(ListWindowPlaces::BlockGrip);
} // namespace ListLayout

namespace EditorLayout {
    inline constexpr int Width = 420;
    inline constexpr int Height = 420;
    inline constexpr int TitleHeight = 24;
    inline constexpr Rect Close { 398, 5, 16, 14 }; // picXitBut

    inline constexpr Rect Description { 14, 43, 392, 20 }; // Text1(0)
    inline constexpr Rect Information { 14, 79, 392, 70 }; // Text1(1)

    inline constexpr Rect PriorityGroup { 14, 160, 186, 171 };
    // Option1(i) at (22, OptionTop + 14 i), 13 x 13; a lamp swatch at (38, + 2), 9 x 9;
    // lblPrior(i) at (52, OptionTop + 14 i), 142 x 13.
    inline constexpr int OptionTop = 170;
    inline constexpr int OptionStep = 14;
    inline constexpr int OptionLeft = 22;
    inline constexpr int SwatchLeft = 38;
    inline constexpr int PriorityLabelLeft = 52;
    inline constexpr int PriorityLabelWidth = 142;

    inline constexpr Rect DateGroup { 208, 160, 198, 171 };
    inline constexpr Rect DatePicker { 258, 171, 138, 20 }; // DTPicker1
    inline constexpr Rect Days { 258, 197, 40, 20 }; // Text2
    inline constexpr Rect DaysUpDown { 298, 197, 16, 20 }; // UpDown1
    // Day kinds: picOption2(i) at (220, DayKindTop + 24 i + 2), 8 x 8; the whole row
    // (220, DayKindTop + 24 i) 176 x 12 selects it.
    inline constexpr int DayKindTop = 246;
    inline constexpr int DayKindStep = 24;
    inline constexpr int DayKindLeft = 220;
    inline constexpr int DayKindWidth = 176;
    inline constexpr int WeekPictureLeft = 327;

    inline constexpr Rect File { 14, 351, 304, 20 }; // Text3
    inline constexpr Rect Browse { 325, 349, 81, 25 }; // picCommand1
    inline constexpr Rect DeleteTask { 14, 394, 109, 17 }; // picCommand4
    inline constexpr Rect Ok { 254, 390, 73, 25 }; // picCommand2
    inline constexpr Rect Cancel { 333, 390, 73, 25 }; // picCommand3
} // namespace EditorLayout

namespace RemoteLayout {
    inline constexpr int Width = RemotePlaces::Width;
    inline constexpr int Height = RemotePlaces::Height;
    inline constexpr int TitleHeight = RemotePlaces::TitleHeight;
    inline constexpr Rect Close = FromPixels(RemotePlaces::Close);
    inline constexpr Rect TitleMark = FromPixels(RemotePlaces::TitleMark);
    using RemotePlaces::Button;
    using RemotePlaces::Buttons;
    inline constexpr Rect Check = FromPixels(RemotePlaces::Check);
    inline constexpr Rect CheckLabel = FromPixels(RemotePlaces::CheckLabel);

    struct Section {
        std::string_view Caption;
        int Top; // top of the caption's capitals
    };
    inline constexpr std::array<Section, 4> Sections { {
        { "List", 28 },
        { "Tasks", 72 },
        { "Completed Tasks", 113 },
        { "Setup", 154 },
    } };
} // namespace RemoteLayout

} // namespace agendrix::skins
