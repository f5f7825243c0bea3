#include "ControlBarZones.h"

#include "skin/ListWindowPlaces.h"
#include "skin/SkinCells.h"

#include <array>

namespace agendrix {

namespace {
    struct Zone {
        BarButton Button;
        int Left; // exclusive bounds
        int Right;
        std::string_view Text;
    };
    // In the order the pointer tests them.
    constexpr std::array<Zone, 5> Zones { {
        { BarButton::Close, 4, 18, "Close Control Bar" },
        { BarButton::Complete, 22, 41, "Mark task as completed" },
        { BarButton::Information, 40, 56, "Show task information" },
        { BarButton::GoToFile, 55, 77, "Go to file now" },
        { BarButton::Edit, 76, 95, "Edit Task" },
    } };

    const Zone& ZoneOf(BarButton button)
    {
        for (const Zone& zone : Zones)
            if (zone.Button == button)
                return zone;
        return Zones.front();
    }

    ButtonFace FaceOf(BarCellState state)
    {
        switch (state) {
        case BarCellState::Normal:
            return ButtonFace::Normal;
        case BarCellState::Highlighted:
            return ButtonFace::Highlighted;
        case BarCellState::Pressed:
            return ButtonFace::Pressed;
        }
        return ButtonFace::Normal;
    }

    // Keys left to right: complete, information, file, edit.
    int KeyIndex(BarButton button)
    {
        return static_cast<int>(button) - static_cast<int>(BarButton::Complete);
    }
} // namespace

bool InsideBarButton(BarButton button, int x, int y)
{
    const Zone& zone = ZoneOf(button);
    return y > 3 && y < 16 && x > zone.Left && x < zone.Right;
}

std::optional<BarButton> BarButtonAt(int x, int y)
{
    for (const Zone& zone : Zones)
        if (InsideBarButton(zone.Button, x, y))
            return zone.Button;
    return std::nullopt;
}

std::string_view BarButtonText(BarButton button) { return ZoneOf(button).Text; }

PixelRect BarButtonTarget(BarButton button)
{
    if (button == BarButton::Close) {
        const PixelRect handle = ButtonCells::CloseHandle(ButtonFace::Normal);
        return { ControlBarPlaces::HandleLeft, 0, handle.Width, handle.Height };
    }
    const PixelRect key = ButtonCells::BarKey(0, ButtonFace::Normal);
    return { ControlBarPlaces::KeysLeft + ControlBarPlaces::KeyStep * KeyIndex(button),
        ControlBarPlaces::KeysTop, key.Width, key.Height };
}

PixelRect BarButtonCell(BarButton button, BarCellState state)
{
    if (button == BarButton::Close)
        return ButtonCells::CloseHandle(FaceOf(state));
    return ButtonCells::BarKey(KeyIndex(button), FaceOf(state));
}

PixelRect ExpandHandleCell(BarCellState state) { return ButtonCells::ExpandHandle(FaceOf(state)); }

std::optional<BarOverlay> BarOverlayAt(BarShape shape, int x, int y, BarCellState state)
{
    if (shape == BarShape::Collapsed) {
        if (x <= 4)
            return std::nullopt;
        return BarOverlay { ExpandHandleCell(state), ControlBarPlaces::HandleLeft, 0 };
    }
    const std::optional<BarButton> button = BarButtonAt(x, y);
    if (!button)
        return std::nullopt;
    const PixelRect target = BarButtonTarget(*button);
    return BarOverlay { BarButtonCell(*button, state), target.X, target.Y };
}

} // namespace agendrix
