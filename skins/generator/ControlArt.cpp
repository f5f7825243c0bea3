// The list window's small buttons (buttons.bmp) and the control bar's opening frames
// (aniopen.bmp). Every button is drawn over the very pixels it will cover on the window, so its
// rounded corners blend into the surface.

#include "ListWindowArt.h"
#include "PixelFont.h"
#include "SkinLayout.h"

#include <cmath>

namespace agendrix::skins {

using namespace ListLayout;

namespace {

    // Rows `top`.. of the row background, `width` columns wide.
    Image RowPatch(const Theme& theme, int width, int height, int top)
    {
        Image patch(width, height);
        for (int y = 0; y < height; ++y)
            patch.HLine(0, width - 1, y, RowBackground(theme, top + y));
        return patch;
    }

    // The title bar under a control at window position (x, y); the title's middle is the same
    // in every column, so a strip drawn at any width serves for both ends.
    Image TitlePatch(const Theme& theme, Rect where, bool fromRight)
    {
        const Image title = TitleStrip(theme, StripWidth);
        const int x = fromRight ? StripWidth + where.X : where.X;
        return title.Crop({ x, where.Y, where.W, where.H });
    }

    Rgb GlyphColour(const Theme& theme, Face face)
    {
        return face == Face::Hover ? Darker(theme.Glyph, 0.1) : theme.Glyph;
    }

    void DrawKeyGlyph(Image& img, const Theme& theme, int key, double cx, double cy)
    {
        switch (key) {
        case 0: // mark completed
            DrawTick(img, cx, cy + 0.3, 0.85, 2.1, theme.Check);
            break;
        case 1: // show information
            DrawInfoMark(img, cx, cy, theme.InfoMark, White);
            break;
        case 2: // go to file
            DrawFolder(img, cx, cy, theme.Folder, Darker(theme.Folder, 0.55), White);
            break;
        default: // edit
            DrawPencil(img, cx, cy, theme);
            break;
        }
    }

} // namespace

Image FunctionButtonCell(const Theme& theme, Face face)
{
    Image img = TitlePatch(theme, ListLayout::FunctionButton, false);
    DrawButtonFace(img, theme, { 0, 0, 16, 14 }, face, 3.0);
    const int d = face == Face::Pressed ? 1 : 0;
    DrawMenuLines(img, 4 + d, 5 + d, 8, theme.GlyphShadow);
    DrawMenuLines(img, 4 + d, 4 + d, 8, GlyphColour(theme, face));
    return img;
}

Image SliderThumb(const Theme& theme, Face face)
{
    Image img(ThumbWidth, ThumbWidth);
    for (int x = 0; x < ThumbWidth; ++x)
        img.VLine(x, 0, ThumbWidth - 1, ScrollColumn(theme, ThumbColumn + x));
    DrawButtonFace(img, theme, { 0, 0, ThumbWidth, ThumbWidth }, face, 4.0);
    const int d = face == Face::Pressed ? 1 : 0;
    for (int i = 0; i < 3; ++i) {
        img.HLine(4, 8, 4 + 2 * i + d, Mix(theme.ButtonBottom, theme.Glyph, 0.55));
    }
    return img;
}

Image ScrollButton(const Theme& theme, bool up, Face face)
{
    Image img(ThumbWidth, 7);
    DrawSmallButton(img, theme, { 0, 0, ThumbWidth, 7 }, face);
    const int d = face == Face::Pressed ? 1 : 0;
    DrawArrow(img, 6, 2 + d, 5, up, theme.Glyph);
    return img;
}

// The program's name and a small lamp at the left of the title bar, lit while the window has
// the focus. The glide reveals it from the left.
Image ActivityStripCell(const Theme& theme, bool active)
{
    Image img = TitlePatch(theme, ListLayout::ActivityStrip, false);
    DrawLed(img, 9.5, 9.5, 3.4, theme.Led, active);
    const Rgb text = active ? theme.TitleText : theme.TitleTextDim;
    PixelFont::Draw(img, 17, 7, "Agendrix", Darker(theme.TitleBottom, 0.45));
    PixelFont::Draw(img, 16, 6, "Agendrix", text);
    return img;
}

Image ControlKeys(const Theme& theme, Face face)
{
    Image img = RowPatch(theme, KeysWidth, KeyHeight, KeysTop);
    const Rgb outline = face == Face::Hover ? theme.HoverOutline : theme.ButtonOutline;
    DrawButtonFace(img, theme, { 0, 0, KeysWidth, KeyHeight }, face, 3.0);
    for (int k = 1; k < KeyCount; ++k)
        img.VLine(k * KeyStep, 0, KeyHeight - 1, outline);
    const double d = face == Face::Pressed ? 1.0 : 0.0;
    for (int k = 0; k < KeyCount; ++k)
        DrawKeyGlyph(img, theme, k, k * KeyStep + 9.5 + d, 8.0 + d);
    return img;
}

Image BarHandle(const Theme& theme, Face face, bool closeCross)
{
    Image img = RowPatch(theme, HandleWidth, HandleHeight, 0);
    DrawButtonFace(img, theme, { 0, 1, HandleWidth, HandleHeight - 2 }, face, 4.0);
    const double d = face == Face::Pressed ? 1.0 : 0.0;
    const Rgb glyph = GlyphColour(theme, face);
    if (closeCross) {
        DrawCross(img, 8.0 + d, 10.0 + d, 3.0, 1.7, theme.GlyphShadow);
        DrawCross(img, 8.0 + d, 9.5 + d, 3.0, 1.7, glyph);
    } else {
        DrawChevronsLeft(img, 8.0 + d, 10.0 + d, theme.GlyphShadow);
        DrawChevronsLeft(img, 8.0 + d, 9.5 + d, glyph);
    }
    return img;
}

Image WindowButtons(const Theme& theme, Face face)
{
    Image img = TitlePatch(theme, { -70, WindowButtonsTop, WindowButtonsWidth, WindowButtonsHeight }, true);
    const int h = WindowButtonsHeight;
    const double d = face == Face::Pressed ? 1.0 : 0.0;

    // Remote panel: a small panel of four buttons.
    DrawButtonFace(img, theme, { 0, 0, 16, h }, face, 3.0);
    const Rgb glyph = GlyphColour(theme, face);
    for (int i = 0; i < 4; ++i) {
        const int x = 4 + (i % 2) * 5 + static_cast<int>(d);
        const int y = 3 + (i / 2) * 4 + static_cast<int>(d);
        img.Fill({ x, y, 3, 3 }, glyph);
    }

    // Minimise and maximise share one rounded body, split by a line.
    Image pair(32, h);
    pair.Paste(img, { 18, 0, 32, h }, 0, 0);
    DrawButtonFace(pair, theme, { 0, 0, 32, h }, face, 3.0);
    pair.VLine(16, 1, h - 2, face == Face::Hover ? theme.HoverOutline : theme.ButtonOutline);
    img.Paste(pair, 18, 0);
    const int dd = static_cast<int>(d);
    img.HLine(22 + dd, 29 + dd, 10 + dd, theme.GlyphShadow);
    img.Fill({ 22 + dd, 8 + dd, 8, 2 }, glyph);
    Frame(img, { 38 + dd, 3 + dd, 9, 8 }, glyph);
    img.HLine(38 + dd, 46 + dd, 4 + dd, glyph);

    // Exit, red under the pointer and while pressed.
    Image exitButton(16, h);
    exitButton.Paste(img, { 52, 0, 16, h }, 0, 0);
    DrawButtonFace(exitButton, theme, { 0, 0, 16, h }, face, 3.0);
    if (face == Face::Hover || face == Face::Pressed) {
        const Rgb top = face == Face::Hover ? Lighter(theme.Danger, 0.25) : Darker(theme.Danger, 0.25);
        const Rgb bottom = face == Face::Hover ? Darker(theme.Danger, 0.1) : theme.Danger;
        FillRegion(exitButton, { 0, 0, 16, h }, RoundedBox(1, 1, 15, h - 1, 2.0),
            [&](double, double y) { return Mix(top, bottom, (y - 1.0) / (h - 2.0)); });
        DrawCross(exitButton, 8.0 + d, 7.0 + d, 2.8, 1.7, White);
    } else {
        DrawCross(exitButton, 8.0, 7.5, 2.8, 1.7, theme.GlyphShadow);
        DrawCross(exitButton, 8.0, 7.0, 2.8, 1.7, glyph);
    }
    img.Paste(exitButton, 52, 0);
    return img;
}

ButtonFace CellFace(Face face)
{
    switch (face) {
    case Face::Hover:
        return ButtonFace::Highlighted;
    case Face::Pressed:
        return ButtonFace::Pressed;
    default:
        return ButtonFace::Normal;
    }
}

Image ButtonBitmap(const Theme& theme)
{
    Image sheet(189, 95, theme.Rail);
    const auto paste
        = [&sheet](const Image& piece, const PixelRect& cell) { sheet.Paste(piece, cell.X, cell.Y); };
    for (const Face face : { Face::Normal, Face::Hover, Face::Pressed }) {
        paste(ControlKeys(theme, face), ButtonCells::BarKeys(CellFace(face)));
        paste(WindowButtons(theme, face), ButtonCells::WindowButtonStrip(CellFace(face)));
        paste(BarHandle(theme, face, false), ButtonCells::ExpandHandle(CellFace(face)));
        paste(BarHandle(theme, face, true), ButtonCells::CloseHandle(CellFace(face)));
    }
    paste(SliderThumb(theme, Face::Normal), ButtonCells::Slider);
    paste(SliderThumb(theme, Face::Pressed), ButtonCells::SliderPressed);
    for (const int index : { 0, 1 }) {
        paste(ScrollButton(theme, index == 0, Face::Normal),
            ButtonCells::ScrollButton(index, ButtonState::Normal));
        paste(ScrollButton(theme, index == 0, Face::Pressed),
            ButtonCells::ScrollButton(index, ButtonState::Pressed));
    }
    paste(FunctionButtonCell(theme, Face::Normal), ButtonCells::FunctionButton);
    paste(FunctionButtonCell(theme, Face::Pressed), ButtonCells::FunctionButtonPressed);
    paste(FunctionButtonCell(theme, Face::Hover), ButtonCells::FunctionButtonHighlighted);
    paste(ActivityStripCell(theme, false), ButtonCells::ActivityInactive);
    paste(ActivityStripCell(theme, true), ButtonCells::ActivityActive);
    return sheet;
}

Image ControlBarBitmap(const Theme& theme)
{
    Image frames(BarWidth, BarHeight * BarFrames);
    const Image keys = ControlKeys(theme, Face::Normal);
    const Image expand = BarHandle(theme, Face::Normal, false);
    const Image close = BarHandle(theme, Face::Normal, true);
    const int closedLeft = CollapsedLeft + HandleOffset;
    const int openLeft = HandleOffset;
    for (int k = 0; k < BarFrames; ++k) {
        Image frame = RowPatch(theme, BarWidth, BarHeight, 0);
        // The bar slides out from its right end, quickly at first and slowing towards the end,
        // but never so slowly that two frames would show the same picture.
        const double t = k / static_cast<double>(BarFrames - 1);
        const double eased = t + 0.6 * t * (1.0 - t);
        const int handleLeft
            = closedLeft - static_cast<int>(std::floor((closedLeft - openLeft) * eased + 0.5));
        const int keysLeft = handleLeft + (KeysLeft - openLeft);
        for (int y = 0; y < KeyHeight; ++y)
            for (int x = 0; x < KeysWidth; ++x)
                if (keysLeft + x < BarWidth)
                    frame.Set(keysLeft + x, KeysTop + y, keys.At(x, y));
        frame.Paste(k == BarFrames - 1 ? close : expand, handleLeft, 0);
        frames.Paste(frame, 0, BarHeight * k);
    }
    return frames;
}

} // namespace agendrix::skins
