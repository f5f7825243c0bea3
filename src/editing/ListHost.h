#pragma once

// Qt first: moc cannot read the standard library's <compare> until Qt's headers have set it up.
#include <QString>

#include "model/CivilDate.h"
#include "model/ListDocument.h"
#include "model/Prompts.h"
#include "model/Settings.h"
#include "model/TaskLine.h"

#include <optional>
#include <string>

namespace agendrix {

// What a command that changed the list tells the list window about the change.
struct ChangeReport {
    // The changed task's description as its line now holds it (Windows-1252 bytes), whose row
    // the open control bar moves to when auto-select is on; nothing when no row is to be chosen
    // (a task deleted, a text edited in place).
    std::optional<std::string> Description;
    // InformationCut: the information text was cut to fit the line, which the user is told.
    Shortening Shortened = Shortening::None;
};

// What the task editor, the priority picker and the in-place editors need of the list window
// that opened them. They change the list only through it, so tests can stand in for the window.
class ListHost {
public:
    virtual ~ListHost() = default;

    // After a command changed the list: marks it changed, shows the rows again, moves the open
    // control bar to the changed task's row when the settings say so and tells the user when a
    // text was cut. Every command that adds, changes or deletes a task ends here, so that all of
    // them leave the window alike.
    void TaskChanged(const ChangeReport& report);

    virtual ListDocument& Document() = 0;
    virtual const Settings& CurrentSettings() const = 0;
    virtual Prompts& ThePrompts() = 0;
    virtual CivilDate Today() const = 0;
    // The folder the skins are found under.
    virtual QString ProgramFolder() const = 0;

    // True while the window is docked as a sidebar: the windows it opens then stay on top.
    virtual bool Docked() const = 0;
    // A window that must appear above the list window passes false before it shows and true when
    // it is gone; `source` names the caller and changes nothing.
    virtual void SetWindFloat(bool autoFloat, const char* source) = 0;
    // Keeps the sidebar from sliding away while a dialog of its own is open.
    virtual void SetNoHide(bool noHide) = 0;
    // A list file of the shown list index was deleted: the index is built again.
    virtual void ListFileDeleted() { }

protected:
    // Refreshes the rows after the list changed: dates assessed, completed tasks purged when the
    // setting says so, the rows filled again.
    virtual void ShowListItems() = 0;
    // Searches the visible rows from the top for the first that shows `description` (Windows-1252
    // bytes) and moves the open control bar to it; nothing happens when no row shows it.
    virtual void SelectRowShowing(const std::string& description) = 0;
};

} // namespace agendrix
