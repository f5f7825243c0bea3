#pragma once

#include "Image.h"
#include "Theme.h"

namespace agendrix::skins {

enum class Face { Normal, Hover, Focused, Pressed };

// A rounded button: one-pixel outline, a quiet vertical gradient, a light first row inside. The
// corners outside the rounding keep what the picture held, so draw buttons over their background.
// The focused face is the normal one with an accent ring inside the outline.
void DrawButtonFace(Image& img, const Theme& theme, Rect r, Face face, double radius = 3.0);
// A flat rectangular button with a one-pixel bevel, for the smallest buttons.
void DrawSmallButton(Image& img, const Theme& theme, Rect r, Face face);
// A sunken one-pixel frame drawn just outside r (a text field's border) and r filled with `fill`.
void DrawField(Image& img, const Theme& theme, Rect r, Rgb fill);
// An etched group frame with its caption set into the top line.
void DrawGroup(Image& img, const Theme& theme, Rect r, const char* caption);
// An etched horizontal line.
void DrawEtchedLine(Image& img, const Theme& theme, int x0, int x1, int y);

// Pictograms, each centred on (cx, cy) in pixel coordinates (the centre of a pixel is x + 0.5).
void DrawCross(Image& img, double cx, double cy, double half, double thickness, Rgb c);
void DrawTick(Image& img, double cx, double cy, double scale, double thickness, Rgb c);
void DrawInfoMark(Image& img, double cx, double cy, Rgb disc, Rgb letter);
void DrawFolder(Image& img, double cx, double cy, Rgb body, Rgb outline, Rgb arrow);
void DrawPencil(Image& img, double cx, double cy, const Theme& theme);
void DrawChevronsLeft(Image& img, double cx, double cy, Rgb c);
void DrawMenuLines(Image& img, int x, int y, int width, Rgb c);
// A solid triangle pointing up (or down) with the given base width.
void DrawArrow(Image& img, int cx, int top, int base, bool up, Rgb c);

// A small round lamp with a highlight, for status marks on the title bars.
void DrawLed(Image& img, double cx, double cy, double radius, Rgb colour, bool lit);

} // namespace agendrix::skins
