#pragma once

class QWidget;

namespace agendrix {

class ListHost;

// A dialog of the list window is modal without blocking and lies above the list window: while it
// is open the sidebar may not slide away and the window is not kept on top. `source` names the
// dialog's step, as SetWindFloat takes it.

// Takes that state from the list window, then shows `dialog` centred on the list window's screen.
void ShowAboveList(QWidget& dialog, ListHost& host, const char* source);
// Gives the list window its state back once the dialog is gone.
void GiveBackList(ListHost& host, const char* source);

} // namespace agendrix
