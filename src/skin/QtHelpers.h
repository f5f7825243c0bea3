#pragma once

#include "skin/PixelRect.h"
#include "skin/SkinColors.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <string_view>

namespace agendrix {

// The layers below Qt keep rectangles, colours and texts in plain C++ types; the windows draw with
// Qt's. Every conversion between the two goes through here.
QRect ToQRect(const PixelRect& rect);
PixelRect ToPixelRect(const QRect& rect);
QColor ToQColor(const Rgb& colour);
Rgb ToRgb(const QColor& colour);

// Texts the program itself holds in UTF-8: captions, hints, file names, the version. A list's
// own text is Windows-1252 and goes through editing/ListText.h instead.
QString FromUtf8(std::string_view text);

// The font of every text the windows draw: Liberation Sans at 11 pixels. The size is in
// device-independent pixels, so every control keeps its designed size on a screen of any
// resolution: Qt scales the whole window on dense screens.
inline constexpr int UiFontPixels = 11;
QFont UiFont();

} // namespace agendrix
