#pragma once

#include "editing/ListHost.h"

#include <string>

namespace agendrix {

// What the options dialog and the skin browser need of the list window beyond what the editing
// windows need: its settings to change, and a way to show the list and the skin again after a
// change. Tests stand in for the window.
class EnvironmentHost : public ListHost {
public:
    // The window's own settings, which the dialogs change in place and the window keeps.
    virtual Settings& EditSettings() = 0;
    // Shows the rows again with the settings as they are now.
    virtual void RedisplayList() = 0;
    // Loads the skin at `skinPath` (below the program folder, such as "/Skins/Midnight/") into
    // the window and its companion windows and redraws them; SkinPath becomes the path loaded,
    // which is the default skin's when the folder is missing or empty. False when the skin asked
    // for was not whole: its folder missing or empty, or one of the window's pictures missing
    // or unreadable.
    virtual bool ChangeSkin(const std::string& skinPath) = 0;
};

} // namespace agendrix
