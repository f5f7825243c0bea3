#pragma once

#include "ListCommands.h"

#include "geometry/RemoteLayout.h"

namespace agendrix {

// What the remote panel needs from the list window: the panel holds no list of its own, so every
// button runs one of the list window's commands. Tests stand in for the window with a recording
// host.
class RemoteHost {
public:
    virtual ~RemoteHost() = default;

    virtual void Run(ListCommand command) = 0;
    virtual bool AutoPurges() const = 0;
    // Sets the AutoPurge setting and shows the list again, without the completed tasks when on.
    virtual void SetAutoPurge(bool on) = 0;
    // Where the list window is, for PlaceMe; the panel fills in its own width.
    virtual PanelPlacement RemotePlacement() const = 0;
    // The panel was closed: OpenRemote becomes false and the host lets the panel go.
    virtual void RemoteClosed() = 0;
};

} // namespace agendrix
