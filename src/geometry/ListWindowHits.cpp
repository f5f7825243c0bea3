#include "ListWindowHits.h"

#include "skin/SkinCells.h"

#include <optional>
#include <utility>

namespace agendrix {

namespace {
    std::optional<ListHit> On(ListArea area, const PixelRect& place, int x, int y)
    {
        if (!place.Contains(x, y))
            return std::nullopt;
        return ListHit { area, -1, RowPart::None, x - place.X, y - place.Y };
    }

    std::optional<ListHit> OnRow(const RowLayout& rows, int x, int y)
    {
        for (std::size_t i = 0; i < rows.Rows.size(); ++i) {
            const RowPlacement& row = rows.Rows[i];
            const std::pair<RowPart, const PixelRect*> parts[] = { { RowPart::Bar, &row.ControlBar },
                { RowPart::Lamp, &row.Lamp }, { RowPart::Label, &row.Label } };
            for (const auto& [part, place] : parts) {
                if (auto hit = On(ListArea::Row, *place, x, y)) {
                    hit->Row = static_cast<int>(i);
                    hit->Part = part;
                    return hit;
                }
            }
        }
        return std::nullopt;
    }
} // namespace

ListHit HitAt(const SurfaceLayout& surface, const RowLayout& rows, float thumbTop, int x, int y)
{
    const PixelRect thumb { surface.SliderLeft, static_cast<int>(thumbTop), ButtonCells::Slider.Width,
        ButtonCells::Slider.Height };
    const std::pair<ListArea, PixelRect> controls[] = {
        { ListArea::WindowButtons, surface.WindowControls },
        { ListArea::ScrollUp, surface.ScrollUp },
        { ListArea::ScrollDown, surface.ScrollDown },
        { ListArea::Thumb, thumb },
        { ListArea::Track, rows.SliderTrack },
        { ListArea::ResizeGrip, surface.ResizeGrip },
        // A closed block leaves its grip's last place behind.
        { ListArea::BlockGrip, surface.InfoBlock ? surface.AccDrag : PixelRect {} },
        { ListArea::MenuButton, surface.MenuButton },
    };
    for (const auto& [area, place] : controls) {
        if (auto hit = On(area, place, x, y))
            return *hit;
    }
    if (auto hit = OnRow(rows, x, y))
        return *hit;
    if (rows.Details) {
        if (auto hit = On(ListArea::Details, *rows.Details, x, y))
            return *hit;
    }
    return ListHit { ListArea::Background, -1, RowPart::None, x, y };
}

} // namespace agendrix
