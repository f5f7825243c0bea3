#pragma once

#include <QWidget>

#include <optional>

namespace agendrix {

enum class TaskbarButton { Shown, Hidden };

// Gives a top-level window its taskbar button or takes it away, without unmapping it: on X11
// through the window manager's _NET_WM_STATE_SKIP_TASKBAR (and _SKIP_PAGER) state. A window
// that is not mapped gets the state written on it, which Qt keeps when it maps the window.
// Elsewhere (Wayland, offscreen) there is no such state and nothing happens.
void SetTaskbarButton(QWidget& window, TaskbarButton button);

// The window the window manager has made the active one (_NET_ACTIVE_WINDOW), of whatever
// program; none when no window is active or the manager does not say. Where there is no X11,
// the program's own active window, if any.
std::optional<WId> ActiveWindow();

} // namespace agendrix
