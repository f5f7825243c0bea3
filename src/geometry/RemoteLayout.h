#pragma once

#include "skin/PixelRect.h"
#include "skin/RemotePlaces.h"

#include <optional>

namespace agendrix {

// What lies under a point of the remote panel: one of the ten command pictures (by the number
// of its command, 1 to 10), the close cross, the Auto Purge check or its label, or nothing (the
// background, which drags the panel).
enum class RemoteTarget { None, Command, Close, AutoPurge };
struct RemoteHit {
    RemoteTarget Target = RemoteTarget::None;
    int Command = 0; // 1 to 10 for RemoteTarget::Command, else 0
    bool operator==(const RemoteHit&) const = default;
};
RemoteHit RemoteHitAt(int x, int y);

// The three looks of a picture button: normal, focused (also after a release) and pressed.
enum class RemoteButtonLook { Normal, Focused, Pressed };

// Where the picture of command 1 to 10 lies on the panel, and the sheet cell of its look; an
// empty rectangle for any other number.
PixelRect RemoteButtonPlace(int command);
PixelRect RemoteButtonCell(int command, RemoteButtonLook look);
// The close cross has no focused face: after a release it shows its normal one.
PixelRect RemoteCloseCell(RemoteButtonLook look);
enum class AutoPurgeLook { Clear, Set };
PixelRect RemoteCheckCell(AutoPurgeLook look);
enum class PanelActivity { Inactive, Active };
PixelRect RemoteTitleMarkCell(PanelActivity activity);

// Where the panel of `panelWidth` pixels goes beside the list window `list` on `screen` (the
// screen's usable area, in the same global pixels). In sidebar mode it goes to the screen's top,
// just left of the docked list window, `dockWidth` pixels wide, wherever `list` is. Otherwise
// flush against the list window's right edge, top edges aligned, when the room right of the
// window is more than the panel's width; without that room it stays where it is (nothing).
enum class ListMode { Normal, Sidebar };
struct PanelPlacement {
    ListMode Mode = ListMode::Normal;
    PixelRect Screen;
    PixelRect List;
    int DockWidth = 0;
    int PanelWidth = 0;
};
struct PanelPosition {
    int X = 0;
    int Y = 0;
    bool operator==(const PanelPosition&) const = default;
};
std::optional<PanelPosition> PlaceRemote(const PanelPlacement& placement);

} // namespace agendrix
