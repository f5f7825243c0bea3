// The list window's surface: every strip is painted at a whole window's width and then cut into
// the left piece, middle tile and right piece of main.bmp.

#include "ListWindowArt.h"
#include "SkinLayout.h"

namespace agendrix::skins {

using namespace ListLayout;

namespace {

    // The left three rail columns and the outline, from the left edge.
    Rgb LeftRail(const Theme& theme, int x)
    {
        switch (x) {
        case 0:
            return theme.Outline;
        case 1:
            return theme.RailLight;
        case 2:
            return theme.Rail;
        default:
            return theme.RailShadow;
        }
    }

    // Paints the outline, the rails and the scroll column of rows y0..y1 of a list strip; `well`
    // draws the list's left edge at column 4 (the rows), otherwise that column is rail.
    void PaintSides(Image& strip, const Theme& theme, int y0, int y1, bool well)
    {
        const int r = strip.Width() - RightBand;
        for (int y = y0; y <= y1; ++y) {
            for (int x = 0; x < ListLeftEdge; ++x)
                strip.Set(x, y, LeftRail(theme, x));
            strip.Set(ListLeftEdge, y, well ? theme.Well : theme.Rail);
            for (int offset = ColumnEdge; offset < RightBand; ++offset)
                strip.Set(r + offset, y, ScrollColumn(theme, offset));
        }
    }

    // The list area of a strip: columns 5 to the right band's column 23.
    void FillListRow(Image& strip, int y, Rgb c)
    {
        strip.HLine(ListFirstColumn, strip.Width() - RightBand + ListLastColumn, y, c);
    }

} // namespace

Rgb RowBackground(const Theme& theme, int y)
{
    if (y >= RowHeight - 1)
        return theme.Rule;
    return Mix(theme.ListTop, theme.ListBottom, y / static_cast<double>(RowHeight - 2));
}

Rgb ScrollColumn(const Theme& theme, int offset)
{
    if (offset <= ColumnEdge)
        return theme.Well;
    if (offset == ColumnEdge + 1)
        return theme.RailLight;
    if (offset == GrooveFirst)
        return theme.GrooveDark;
    if (offset > GrooveFirst && offset < GrooveLast)
        return theme.Groove;
    if (offset == GrooveLast)
        return theme.GrooveLight;
    if (offset == RightBand - 2)
        return theme.RailShadow;
    if (offset == RightBand - 1)
        return theme.Outline;
    return theme.Rail;
}

Image TitleStrip(const Theme& theme, int width)
{
    Image strip(width, TitleHeight, theme.Outline);
    const int last = width - 2;
    strip.HLine(1, last, 1, theme.TitleGloss);
    VerticalGradient(strip, { 1, 2, width - 2, TitleEdgeRow - 2 }, theme.TitleTop, theme.TitleBottom);
    strip.HLine(1, last, TitleEdgeRow, theme.TitleEdge);

    // The shelf between the title and the list, with the top of the scroll column at its right.
    const int column = width - RightBand + ColumnEdge;
    VerticalGradient(strip, { 1, ShelfFirstRow, column - 1, ListTopRow - ShelfFirstRow }, theme.ShelfTop,
        theme.ShelfBottom);
    strip.HLine(1, column - 1, ShelfFirstRow, Mix(theme.ShelfTop, theme.RailLight, 0.6));
    for (int y = ShelfFirstRow; y < TitleHeight; ++y)
        for (int offset = ColumnEdge; offset < RightBand - 1; ++offset) {
            const bool groove = offset >= GrooveFirst && offset <= GrooveLast;
            strip.Set(width - RightBand + offset, y,
                groove && y < ListTopRow ? theme.Rail : ScrollColumn(theme, offset));
        }

    // The list's top edge and the rule above the first row, on which the first lamp sits.
    for (int y = ListTopRow; y < TitleHeight; ++y) {
        for (int x = 1; x < ListLeftEdge; ++x)
            strip.Set(x, y, LeftRail(theme, x));
        strip.Set(ListLeftEdge, y, theme.Well);
    }
    strip.HLine(ListFirstColumn, column - 1, ListTopRow, theme.Well);
    strip.HLine(ListFirstColumn, column - 1, ListTopRow + 1, theme.Rule);
    return strip;
}

Image RowStrip(const Theme& theme, int width)
{
    Image strip(width, RowHeight);
    for (int y = 0; y < RowHeight; ++y)
        FillListRow(strip, y, RowBackground(theme, y));
    PaintSides(strip, theme, 0, RowHeight - 1, true);
    return strip;
}

Image BlockTopStrip(const Theme& theme, int width)
{
    // The block begins over the last four rows of its row: the row's background goes on, without
    // the rule, then the block's sunken top edge.
    Image strip(width, 16);
    for (int y = 0; y < 4; ++y)
        FillListRow(strip, y, RowBackground(theme, 20 + (y < 3 ? y : 2)));
    FillListRow(strip, 4, theme.InfoEdge);
    FillListRow(strip, 5, Mix(theme.InfoBack, theme.InfoEdge, 0.35));
    for (int y = 6; y < 16; ++y)
        FillListRow(strip, y, theme.InfoBack);
    PaintSides(strip, theme, 0, 15, true);
    return strip;
}

Image BlockMiddleStrip(const Theme& theme, int width)
{
    Image strip(width, 8);
    for (int y = 0; y < 8; ++y)
        FillListRow(strip, y, theme.InfoBack);
    PaintSides(strip, theme, 0, 7, true);
    return strip;
}

Image BlockBottomStrip(const Theme& theme, int width)
{
    Image strip(width, 24);
    for (int y = 0; y < 21; ++y)
        FillListRow(strip, y, theme.InfoBack);
    FillListRow(strip, 21, theme.InfoLight);
    FillListRow(strip, 22, RowBackground(theme, 22));
    FillListRow(strip, 23, theme.Rule);
    PaintSides(strip, theme, 0, 23, true);

    // The grip that resizes the block: three short ridges.
    const Rect grip = BlockGrip;
    const int x0 = grip.X + 8;
    const int x1 = grip.Right() - 9;
    for (int i = 0; i < 3; ++i) {
        const int y = grip.Y + 2 + 2 * i;
        strip.HLine(x0, x1, y, Darker(theme.InfoEdge, 0.1));
        strip.HLine(x0 + 1, x1 + 1, y + 1, theme.InfoLight);
    }
    return strip;
}

Image ListEndStrip(const Theme& theme, int width)
{
    Image strip(width, 3);
    FillListRow(strip, 0, RowBackground(theme, 20));
    FillListRow(strip, 1, theme.Rule);
    PaintSides(strip, theme, 0, 1, true);
    PaintSides(strip, theme, 2, 2, false);
    strip.HLine(ListLeftEdge, width - RightBand + ColumnEdge, 2, theme.Well);
    return strip;
}

Image FillerStrip(const Theme& theme, int width)
{
    Image strip(width, 4);
    for (int y = 0; y < 4; ++y)
        FillListRow(strip, y, theme.Rail);
    PaintSides(strip, theme, 0, 3, false);
    return strip;
}

Image StatusStrip(const Theme& theme, int width)
{
    Image strip(width, 24, theme.Outline);
    const int r = width - RightBand;
    VerticalGradient(strip, { 1, 1, width - 2, 22 }, theme.StatusTop, theme.StatusBottom);
    strip.HLine(1, width - 2, 0, theme.RailLight);

    // The sunken well of the status line (lblStatusBar at (9, 5), width W - 75).
    const Rect well { ListFirstColumn, 3, r + 21 - ListFirstColumn, 18 };
    strip.Fill(well.Inset(1), theme.StatusWell);
    Bevel(strip, well, theme.Well, theme.RailLight);

    // The resize grip's dots in the bottom right corner.
    for (int a = 0; a < 3; ++a)
        for (int b = 0; a + b < 3; ++b) {
            const int x = r + 40 - 4 * a;
            const int y = 19 - 4 * b;
            strip.Set(x, y, theme.Well);
            strip.Set(x + 1, y + 1, theme.RailLight);
        }
    return strip;
}

Image MainBitmap(const Theme& theme)
{
    Image main(475, 138, Unused);
    const Image title = TitleStrip(theme, StripWidth);
    main.Paste(title, { 0, 0, TitleLeft, TitleHeight }, 0, 0);
    main.Paste(title, { TitleLeft, 0, TitleMiddle, TitleHeight }, 93, 0);
    main.Paste(title, { StripWidth - TitleRight, 0, TitleRight, TitleHeight }, 397, 0);

    struct Piece {
        Image Strip;
        int Top;
    };
    const Piece pieces[] = {
        { RowStrip(theme, StripWidth), 31 },
        { BlockTopStrip(theme, StripWidth), 56 },
        { BlockMiddleStrip(theme, StripWidth), 72 },
        { BlockBottomStrip(theme, StripWidth), 80 },
        { ListEndStrip(theme, StripWidth), 105 },
        { FillerStrip(theme, StripWidth), 109 },
        { StatusStrip(theme, StripWidth), 114 },
    };
    for (const Piece& p : pieces) {
        const int h = p.Strip.Height();
        main.Paste(p.Strip, { 0, 0, LeftBand, h }, 0, p.Top);
        main.Paste(p.Strip, { LeftBand, 0, MiddleTile, h }, 50, p.Top);
        main.Paste(p.Strip, { StripWidth - RightBand, 0, RightBand, h }, 430, p.Top);
    }
    return main;
}

} // namespace agendrix::skins
