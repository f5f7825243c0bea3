#pragma once

#include "Image.h"
#include "Theme.h"

namespace agendrix::skins {

Image EditorBackground(const Theme& theme); // taskedit.bmp
Image EditorButtons(const Theme& theme); // editbtns.bmp
Image RemoteBackground(const Theme& theme); // remote.bmp
Image RemoteButtons(const Theme& theme); // remtbtns.bmp
Image DragTab(const Theme& theme); // bar.bmp

// The colour that bar.bmp marks as not part of the tab.
inline constexpr Rgb DragTabKey { 0, 255, 0 };

} // namespace agendrix::skins
