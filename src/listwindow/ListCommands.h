#pragma once

#include <span>
#include <string_view>

namespace agendrix {

class frmList;

// The list window's commands, each named once for every way of reaching it: the access keys,
// the context menu's entries and the remote panel's buttons.
enum class ListCommand {
    Save,
    SaveAs,
    MyList,
    ListIndex,
    DirectoryListing,
    Find,
    ExportWebPage,
    ImportTextList,
    Print,
    CopyList,
    KeyboardShortcuts,
    OpenMenu,
    AlwaysOnTop,
    SidebarMode,
    Help,
    About,
    ListMerger,
    Online,
    AnimatePriority,
    // The remote panel's buttons; the list window has no access keys for them.
    OpenListFile,
    NewList,
    ExportCompleted,
    PurgeCompleted,
    AddTask,
    EditTask,
    DeleteTask,
    Options,
    SkinBrowser
};

struct ListCommandEntry {
    ListCommand Command;
    // Pressed with Alt: a capital letter, a digit or a space; 0 for none, a menu or panel entry only.
    char AccessKey;
    std::string_view Caption; // as a menu entry shows it, "&" before the entry's own key
    void (*Run)(frmList& window);
};

// What the dialogs that open and save a list offer.
inline constexpr char TaskListDialogFilter[]
    = "Task Lists (*.agl)|*.agl|Completed Task Lists (*.cti)|*.cti|All Task Lists (*.agl; *.cti)|*.agl;*.cti";

// Every command, once each.
std::span<const ListCommandEntry> ListCommands();
const ListCommandEntry& EntryOf(ListCommand command);
// The command Alt and `key` run, if any; never one without a key.
const ListCommandEntry* CommandWithAccessKey(char key);

} // namespace agendrix
