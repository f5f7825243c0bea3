#include "ListCommands.h"

#include "frmList.h"

#include <algorithm>

namespace agendrix {

namespace {
    constexpr ListCommandEntry Commands[] = {
        { ListCommand::Save, 'S', " &Save Task List", [](frmList& window) { window.Save(); } },
        { ListCommand::SaveAs, 'A', " Save Task List &As...", [](frmList& window) { window.SaveAs(); } },
        { ListCommand::MyList, 'M', "&My List", [](frmList& window) { window.MyList(); } },
        { ListCommand::ListIndex, 'I', " Task List &Index", [](frmList& window) { window.ListIndex(); } },
        { ListCommand::DirectoryListing, 'D', " &List of Files...",
            [](frmList& window) { window.DirectoryListing(); } },
        { ListCommand::Find, 'F', " &Find...", [](frmList& window) { window.Find(); } },
        { ListCommand::ExportWebPage, 'W', " &Export to Web Page...",
            [](frmList& window) { window.ExportWebPage(); } },
        { ListCommand::Print, 'P', " &Print...", [](frmList& window) { window.Print(); } },
        { ListCommand::CopyList, 'C', " &Copy List", [](frmList& window) { window.CopyList(); } },
        { ListCommand::ImportTextList, 'R', " Import &Text List...",
            [](frmList& window) { window.ImportTextList(); } },
        { ListCommand::KeyboardShortcuts, 'K', "&Keyboard Shortcuts",
            [](frmList& window) { window.ShowKeyboardShortcuts(); } },
        { ListCommand::OpenMenu, ' ', "& menu", [](frmList& window) { window.OpenMenuUnderButton(); } },
        { ListCommand::AlwaysOnTop, 0, " Al&ways On Top",
            [](frmList& window) { window.ToggleAlwaysOnTop(); } },
        { ListCommand::SidebarMode, 0, " Si&debar Mode",
            [](frmList& window) { window.AutoDockModeAct(frmList::DockChange::Toggle); } },
        { ListCommand::Help, 0, " &Help...", [](frmList& window) { window.ShowHelp(); } },
        { ListCommand::About, 0, " A&bout Agendrix...", [](frmList& window) { window.ShowAbout(); } },
        { ListCommand::ListMerger, 0, "Launch List &Merger",
            [](frmList& window) { window.LaunchListMerger(); } },
        { ListCommand::Online, 'T', "&T online", [](frmList& window) { window.ShowOnline(); } },
        { ListCommand::AnimatePriority, 0, "Animate Priority",
            [](frmList& window) { window.AnimatePriority(); } },
        { ListCommand::OpenListFile, 0, "&Open List", [](frmList& window) { window.OpenListFile(); } },
        { ListCommand::NewList, 0, "&New List", [](frmList& window) { window.NewList(); } },
        { ListCommand::ExportCompleted, 0, "&Export",
            [](frmList& window) { window.ExportCompletedTasks(); } },
        { ListCommand::PurgeCompleted, 0, "&Purge", [](frmList& window) { window.PurgeCompletedTasks(); } },
        { ListCommand::AddTask, 0, "&Add", [](frmList& window) { window.AddTask(); } },
        { ListCommand::EditTask, 0, "E&dit", [](frmList& window) { window.EditCurrentTask(); } },
        { ListCommand::DeleteTask, 0, "&Delete", [](frmList& window) { window.DeleteCurrentTask(); } },
        { ListCommand::Options, 0, "Op&tions", [](frmList& window) { window.ShowOptions(); } },
        { ListCommand::SkinBrowser, 0, "S&kins", [](frmList& window) { window.ShowSkinBrowser(); } },
    };
} // namespace

std::span<const ListCommandEntry> ListCommands() { return Commands; }

const ListCommandEntry& EntryOf(ListCommand command)
{
    return *std::find_if(std::begin(Commands), std::end(Commands),
        [command](const ListCommandEntry& entry) { return entry.Command == command; });
}

const ListCommandEntry* CommandWithAccessKey(char key)
{
    if (key == 0)
        return nullptr;
    const auto found = std::find_if(std::begin(Commands), std::end(Commands),
        [key](const ListCommandEntry& entry) { return entry.AccessKey == key; });
    return found == std::end(Commands) ? nullptr : found;
}

} // namespace agendrix
