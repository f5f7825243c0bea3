#include "SurfaceLayout.h"

#include "skin/ListWindowPlaces.h"
#include "skin/SkinCells.h"

namespace agendrix {

namespace {

    constexpr int TitleHeight = 30;
    constexpr int RowHeight = 24;
    constexpr int StatusHeight = 24;
    // The block begins this far below its row's top, over the row's last four pixels.
    constexpr int BlockOffset = 20;

    class Composer {
    public:
        explicit Composer(SurfaceLayout& layout)
            : Layout(layout)
        {
        }

        void Piece(const PixelRect& source, int x, int y) { Layout.Blits.push_back({ source, x, y }); }

        // A strip of the list's bands: left piece at 0, middle tiles from 49 every 379 pixels
        // while they start within the window, right piece at rightX.
        void Strip(const StripCells& cells, int y, int rightX)
        {
            Piece(cells.Left, 0, y);
            for (int x = 49; x <= rightX; x += cells.Middle.Width)
                Piece(cells.Middle, x, y);
            Piece(cells.Right, rightX, y);
        }

        SurfaceLayout& Layout;
    };

    void DrawTitle(Composer& composer, int width)
    {
        composer.Piece(MainCells::Title.Left, 0, 0);
        for (int x = 92; x <= width; x += MainCells::Title.Middle.Width)
            composer.Piece(MainCells::Title.Middle, x, 0);
        composer.Piece(MainCells::Title.Right, width - MainCells::Title.Right.Width, 0);
    }

    // Draws the open block below the row at top y; returns where the next row starts.
    int DrawBlock(Composer& composer, const SurfaceInput& input, int rowTop, int rightX)
    {
        SurfaceLayout& layout = composer.Layout;
        const int top = rowTop + BlockOffset;
        const int statusTop = input.Height - StatusHeight;
        if (top + layout.UsedAccHgt > statusTop)
            layout.UsedAccHgt = statusTop - top;
        const int height = layout.UsedAccHgt;
        // Column by column: the left band, each middle tile, the right band.
        auto column
            = [&](const PixelRect& topCell, const PixelRect& middleCell, const PixelRect& bottomCell, int x) {
                  composer.Piece(topCell, x, top);
                  for (int z = 16; z <= height - 20; z += 8)
                      composer.Piece(middleCell, x, top + z);
                  composer.Piece(bottomCell, x, top + height - 20);
              };
        column(MainCells::BlockTop.Left, MainCells::BlockMiddle.Left, MainCells::BlockBottom.Left, 0);
        for (int x = 49; x <= rightX; x += MainCells::BlockTop.Middle.Width)
            column(
                MainCells::BlockTop.Middle, MainCells::BlockMiddle.Middle, MainCells::BlockBottom.Middle, x);
        column(MainCells::BlockTop.Right, MainCells::BlockMiddle.Right, MainCells::BlockBottom.Right, rightX);
        layout.InfoBlock = PixelRect { 0, top, input.Width, height + 4 };
        const PixelRect& grip = ListWindowPlaces::BlockGrip;
        layout.AccDrag = PixelRect { grip.X, top + height - 20 + grip.Y, grip.Width, grip.Height };
        return top + height - 20;
    }

    void DrawRows(Composer& composer, const SurfaceInput& input, int rightX)
    {
        SurfaceLayout& layout = composer.Layout;
        int y = TitleHeight;
        for (; y <= input.Height - 48; y += RowHeight) {
            ++layout.RowsShown;
            layout.RowTops.push_back(y);
            composer.Strip(MainCells::Row, y, rightX);
            if (input.ExpandLine == layout.RowsShown - 1)
                y = DrawBlock(composer, input, y, rightX);
        }
        layout.TempY = y;
    }

    void DrawBottom(Composer& composer, const SurfaceInput& input, int rightX)
    {
        const int statusTop = input.Height - StatusHeight;
        const int edgeTop = composer.Layout.TempY - 4;
        for (int y = composer.Layout.TempY - 1; y <= statusTop; y += MainCells::Filler.Left.Height)
            composer.Strip(MainCells::Filler, y, rightX);
        composer.Piece(MainCells::ListEnd.Left, 0, edgeTop);
        composer.Piece(MainCells::StatusBar.Left, 0, statusTop);
        for (int x = 49; x <= rightX; x += MainCells::ListEnd.Middle.Width) {
            composer.Piece(MainCells::ListEnd.Middle, x, edgeTop);
            composer.Piece(MainCells::StatusBar.Middle, x, statusTop);
        }
        composer.Piece(MainCells::ListEnd.Right, rightX, edgeTop);
        composer.Piece(MainCells::StatusBar.Right, rightX, statusTop);
    }

} // namespace

SurfaceLayout LayOutSurface(const SurfaceInput& input)
{
    SurfaceLayout layout;
    const int w = input.Width;
    const int h = input.Height;
    const int rightX = w - MainCells::Row.Right.Width;
    layout.UsedAccHgt = input.AccTextHgt;
    namespace Places = ListWindowPlaces;
    layout.WindowControls = PixelRect { w + Places::WindowButtons.X, Places::WindowButtons.Y,
        Places::WindowButtons.Width, Places::WindowButtons.Height };
    layout.MenuButton = Places::MenuButton;
    layout.ActivityStrip = Places::ActivityStrip;
    layout.CaptionWidth = w - Places::CaptionWidthLess;
    layout.Caption
        = PixelRect { Places::CaptionLeft, Places::CaptionTop, layout.CaptionWidth, Places::CaptionHeight };
    layout.SliderLeft = w + Places::ScrollColumn;
    const PixelRect scrollCell = ButtonCells::ScrollButton(0, ButtonState::Normal);
    layout.ScrollUp
        = PixelRect { layout.SliderLeft, Places::ScrollUpTop, scrollCell.Width, scrollCell.Height };
    layout.ScrollDown = PixelRect { layout.SliderLeft, h - 24, scrollCell.Width, scrollCell.Height };
    layout.StatusLine = PixelRect { 9, h - StatusHeight + 5, rightX - 30, 14 };
    layout.ResizeGrip = PixelRect { w - 16, h - 16, 16, 16 };

    Composer composer(layout);
    DrawTitle(composer, w);
    DrawRows(composer, input, rightX);
    DrawBottom(composer, input, rightX);
    return layout;
}

} // namespace agendrix
