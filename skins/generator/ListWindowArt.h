#pragma once

#include "Image.h"
#include "Theme.h"
#include "Widgets.h"

#include "skin/SkinCells.h"

namespace agendrix::skins {

// ----- The window surface (main.bmp) ---------------------------------------------------------

// Each strip is drawn as a whole window strip of the given width; its middle is the same in
// every column, so the window can repeat any part of it.
Image TitleStrip(const Theme& theme, int width);
Image RowStrip(const Theme& theme, int width);
Image BlockTopStrip(const Theme& theme, int width);
Image BlockMiddleStrip(const Theme& theme, int width);
Image BlockBottomStrip(const Theme& theme, int width);
Image ListEndStrip(const Theme& theme, int width);
Image FillerStrip(const Theme& theme, int width);
Image StatusStrip(const Theme& theme, int width);

// The background of a row at row y (0-23); the last row is the rule between rows.
Rgb RowBackground(const Theme& theme, int y);
// The scroll column at column `offset` of the right band (24-44), the same in every row.
Rgb ScrollColumn(const Theme& theme, int offset);

Image MainBitmap(const Theme& theme);

// ----- Lamps (plamps.bmp) ---------------------------------------------------------------------

enum class LampMark { None, Tick, Crack, GlowingCrack };

struct LampLook {
    Rgb Body;
    bool Lit = true;
    LampMark Mark = LampMark::None;
};

// The look of the lamp of a priority code 1-10, or of flicker frame 11-13 of a broken lamp.
LampLook LampLookOf(int band);
void DrawLamp(Image& img, double cx, double cy, double radius, const LampLook& look, double shadow);
Image LampBitmap(const Theme& theme);

// ----- Buttons and the control bar (buttons.bmp, aniopen.bmp) ------------------------------

// The four keys of the open control bar in one state, 73 by 16, over the row background.
Image ControlKeys(const Theme& theme, Face face);
// The bar's handle, 16 by 19: the expand arrows, or the close cross when the bar is open.
Image BarHandle(const Theme& theme, Face face, bool closeCross);
// The window buttons strip, 68 by 14, every button in the given state.
Image WindowButtons(const Theme& theme, Face face);
// The menu button at the title bar's left, the slider's thumb, a scroll button and the activity
// strip (lit while the window has the focus), each over the pixels it covers.
Image FunctionButtonCell(const Theme& theme, Face face);
Image SliderThumb(const Theme& theme, Face face);
Image ScrollButton(const Theme& theme, bool up, Face face);
Image ActivityStripCell(const Theme& theme, bool active);
// The face of a button cell that a drawing face goes to.
ButtonFace CellFace(Face face);
// buttons.bmp: every piece above at the cell where the window finds it.
Image ButtonBitmap(const Theme& theme);
Image ControlBarBitmap(const Theme& theme);

} // namespace agendrix::skins
