#pragma once

#include "RowLayout.h"
#include "SurfaceLayout.h"
#include "WindowButtons.h"

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
};

// The window's paint: the surface, then the rows, the block's text and the small controls.
void PaintListWindow(QPainter& painter, const ListWindowView& view, const SkinPictures& skin);

} // namespace agendrix
