#include "ListWindowView.h"

#include "editing/ListText.h"
#include "skin/QtHelpers.h"
#include "skin/SkinCells.h"
#include "skin/SkinPictures.h"

#include <QFontMetrics>
#include <QPainter>

namespace agendrix {

namespace {

    QPoint At(const PixelRect& place) { return QPoint(place.X, place.Y); }

    // Copies the top-left part of a cell into a control of the given size, as a skinned control
    // shows as much of its cell as its own size allows.
    void DrawCell(QPainter& painter, const QImage& source, const PixelRect& cell, QPoint at)
    {
        painter.drawImage(at, source, ToQRect(cell));
    }

    void PaintRows(QPainter& painter, const ListWindowView& view, const SkinPictures& skin)
    {
        painter.setPen(skin.ListText);
        const QFontMetrics metrics(painter.font());
        // An animation repaints a bar or a lamp at a time: rows outside that area cost nothing.
        const QRect clip = painter.hasClipping() ? painter.clipBoundingRect().toAlignedRect() : QRect();
        for (std::size_t i = 0; i < view.RowViews.size() && i < view.Rows.Rows.size(); ++i) {
            const RowPlacement& place = view.Rows.Rows[i];
            const RowView& row = view.RowViews[i];
            const QRect band(0, place.Lamp.Y, place.ControlBar.Right(), place.Lamp.Height + 1);
            if (clip.isValid() && !clip.intersects(band))
                continue;
            const PixelRect lamp = LampCells::Lamp(row.Code, place.Lamp.Width, place.Lamp.Height);
            DrawCell(painter, skin.Lamps,
                row.LampBand < 0 ? lamp : PixelRect { 0, row.LampBand, lamp.Width, lamp.Height },
                QPoint(place.Lamp.X, place.Lamp.Y));
            const QRect label = ToQRect(place.Label);
            painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter,
                metrics.elidedText(row.Description, Qt::ElideRight, label.width()));
            const bool wide = static_cast<int>(i) == view.BarRow;
            DrawCell(painter, skin.Animation,
                wide ? AnimationCells::Frame(view.BarFrame) : AnimationCells::Collapsed,
                QPoint(place.ControlBar.X, place.ControlBar.Y));
            if (view.BarButton && view.BarButton->Row == static_cast<int>(i)) {
                const BarOverlay& picture = view.BarButton->Picture;
                DrawCell(painter, skin.Buttons, picture.Cell,
                    QPoint(place.ControlBar.X + picture.X, place.ControlBar.Y + picture.Y));
            }
        }
        if (view.Rows.Details)
            painter.drawText(
                ToQRect(*view.Rows.Details), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, view.Details);
    }

    void PaintActivityStrip(QPainter& painter, const ListWindowView& view, const SkinPictures& skin)
    {
        if (view.GlideDone) {
            DrawCell(painter, skin.Buttons,
                view.Active ? ButtonCells::ActivityActive : ButtonCells::ActivityInactive,
                At(view.Layout.ActivityStrip));
            return;
        }
        PixelRect inactive = ButtonCells::ActivityInactive;
        inactive.Width = view.GlideInactive;
        PixelRect active = ButtonCells::ActivityActive;
        active.Width = view.GlideActive;
        // An empty source rectangle would copy the whole picture.
        if (inactive.Width > 0)
            DrawCell(painter, skin.Buttons, inactive, At(view.Layout.ActivityStrip));
        if (active.Width > 0)
            DrawCell(painter, skin.Buttons, active, At(view.Layout.ActivityStrip));
    }

    void PaintControls(QPainter& painter, const ListWindowView& view, const SkinPictures& skin)
    {
        const SurfaceLayout& layout = view.Layout;
        DrawCell(painter, skin.Buttons, ButtonCells::WindowControls,
            QPoint(layout.WindowControls.X, layout.WindowControls.Y));
        if (view.PressedWindowButton) {
            const int offset = PressedCellOffset(*view.PressedWindowButton);
            DrawCell(painter, skin.Buttons, ButtonCells::WindowButton(offset, ButtonState::Pressed),
                QPoint(layout.WindowControls.X + offset, layout.WindowControls.Y));
        }
        const auto state = [&](PressedPart part) {
            return view.Pressed == part ? ButtonState::Pressed : ButtonState::Normal;
        };
        DrawCell(painter, skin.Buttons, ButtonCells::ScrollButton(0, state(PressedPart::ScrollUp)),
            QPoint(layout.ScrollUp.X, layout.ScrollUp.Y));
        DrawCell(painter, skin.Buttons, ButtonCells::ScrollButton(1, state(PressedPart::ScrollDown)),
            QPoint(layout.ScrollDown.X, layout.ScrollDown.Y));
        DrawCell(painter, skin.Buttons,
            view.Pressed == PressedPart::Thumb ? ButtonCells::SliderPressed : ButtonCells::Slider,
            QPoint(layout.SliderLeft, static_cast<int>(view.ThumbTop)));
        DrawCell(painter, skin.Buttons,
            view.MenuPressed ? ButtonCells::FunctionButtonPressed : ButtonCells::FunctionButton,
            At(layout.MenuButton));
        PaintActivityStrip(painter, view, skin);
    }

    void PaintTexts(QPainter& painter, const ListWindowView& view, const SkinPictures& skin)
    {
        const SurfaceLayout& layout = view.Layout;
        painter.setPen(skin.TitleText);
        PixelRect caption = layout.Caption;
        caption.Width = std::max(caption.Width, 0);
        painter.drawText(ToQRect(caption), Qt::AlignLeft | Qt::AlignVCenter, view.Caption);
        painter.setPen(skin.StatusText);
        painter.drawText(ToQRect(layout.StatusLine), Qt::AlignLeft | Qt::AlignVCenter, view.Status);
    }

} // namespace

RowView RowViewOf(const RowContent& content)
{
    RowView view;
    view.Code = content.Code;
    view.Description = ShownListBytes(content.Description);
    view.Information = ShownListBytes(content.Information);
    view.DateText = QString::fromStdString(content.DateText);
    view.Empty = content.Empty;
    return view;
}

void PaintListWindow(QPainter& painter, const ListWindowView& view, const SkinPictures& skin)
{
    painter.drawImage(QPoint(0, 0), view.Surface);
    PaintRows(painter, view, skin);
    PaintControls(painter, view, skin);
    PaintTexts(painter, view, skin);
}

} // namespace agendrix
