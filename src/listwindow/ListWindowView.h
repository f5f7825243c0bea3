#pragma once

#include "geometry/ControlBarZones.h"
#include "geometry/RowLayout.h"
#include "geometry/SurfaceLayout.h"
#include "geometry/WindowButtons.h"
#include "model/RowContent.h"

#include <QImage>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

namespace agendrix {

class SkinPictures;

// What one visible row shows.
struct RowView {
    int Code = 9; // the lamp's priority code; an empty row shows "Unprioritized"
    QString Description;
    QString Information; // the stored text, "¶" included (the row's tooltip)
    QString DateText; // the status text, or the empty row's hint
    bool Empty = true;
    int LampBand = -1; // y of the plamps.bmp band shown instead of the code's while the lamp moves
};

// The row as the window shows it: the list's bytes as text, shortened to what a row can show.
RowView RowViewOf(const RowContent& content);

// A button picture drawn over the control bar of a row.
struct BarPicture {
    int Row = -1;
    BarOverlay Picture;

    bool operator==(const BarPicture&) const = default;
};

enum class PressedPart { None, ScrollUp, ScrollDown, Thumb };

// Everything the list window paints, computed by the window and painted by PaintListWindow.
struct ListWindowView {
    QImage Surface; // the composed skin surface at the window's size
    SurfaceLayout Layout;
    RowLayout Rows;
    std::vector<RowView> RowViews;
    int ExpandLine = -1;
    float ThumbTop = 30;
    QString Caption; // " - " and the list's short name
    QString Status;
    QString Details; // the open block's text, line breaks restored
    PressedPart Pressed = PressedPart::None;
    std::optional<WindowButton> PressedWindowButton;
    bool Active = false; // the window has the focus
    bool MenuPressed = false;
    int BarRow = -1; // the row whose control bar is drawn wide
    int BarFrame = 0; // the frame of aniopen.bmp it shows
    std::optional<BarPicture> BarButton; // a highlighted or pressed key or handle
    // The activity strip while it glides in: how much of each strip shows.
    bool GlideDone = false;
    int GlideInactive = 0;
    int GlideActive = 0;
};

// The window's paint: the surface, then the rows, the block's text and the small controls.
void PaintListWindow(QPainter& painter, const ListWindowView& view, const SkinPictures& skin);

} // namespace agendrix
