#include "RemoteLayout.h"

#include <algorithm>

namespace agendrix {

namespace {
    const RemotePlaces::Button* ButtonOf(int command)
    {
        const auto found = std::find_if(RemotePlaces::Buttons.begin(), RemotePlaces::Buttons.end(),
            [command](const RemotePlaces::Button& button) { return button.Command == command; });
        return found == RemotePlaces::Buttons.end() ? nullptr : &*found;
    }
} // namespace

RemoteHit RemoteHitAt(int x, int y)
{
    for (const RemotePlaces::Button& button : RemotePlaces::Buttons)
        if (button.Place.Contains(x, y))
            return { RemoteTarget::Command, button.Command };
    if (RemotePlaces::Close.Contains(x, y))
        return { RemoteTarget::Close, 0 };
    if (RemotePlaces::Check.Contains(x, y) || RemotePlaces::CheckLabel.Contains(x, y))
        return { RemoteTarget::AutoPurge, 0 };
    return {};
}

PixelRect RemoteButtonPlace(int command)
{
    const RemotePlaces::Button* button = ButtonOf(command);
    return button ? button->Place : PixelRect {};
}

PixelRect RemoteButtonCell(int command, RemoteButtonLook look)
{
    const RemotePlaces::Button* button = ButtonOf(command);
    if (!button)
        return {};
    PixelRect cell = button->Cell;
    cell.Y += button->FaceStep * static_cast<int>(look);
    return cell;
}

PixelRect RemoteCloseCell(RemoteButtonLook look)
{
    return look == RemoteButtonLook::Pressed ? RemoteCells::ClosePressed : RemoteCells::CloseNormal;
}

PixelRect RemoteCheckCell(AutoPurgeLook look)
{
    return look == AutoPurgeLook::Set ? RemoteCells::CheckSet : RemoteCells::CheckClear;
}

PixelRect RemoteTitleMarkCell(PanelActivity activity)
{
    return activity == PanelActivity::Active ? RemoteCells::TitleMarkActive : RemoteCells::TitleMarkInactive;
}

std::optional<PanelPosition> PlaceRemote(const PanelPlacement& placement)
{
    const PixelRect& screen = placement.Screen;
    if (placement.Mode == ListMode::Sidebar)
        return PanelPosition { screen.Right() - placement.DockWidth - placement.PanelWidth, screen.Y };
    // A room exactly as wide as the panel is not enough: the panel would touch the screen's edge.
    if (screen.Right() - placement.List.Right() > placement.PanelWidth)
        return PanelPosition { placement.List.Right(), placement.List.Y };
    return std::nullopt;
}

} // namespace agendrix
