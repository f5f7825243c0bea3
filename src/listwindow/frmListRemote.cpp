// The remote panel: opening and placing it, and the commands only its buttons reach.
#include "frmList.h"
#include "frmRemote.h"

#include "editing/InlineEditors.h"
#include "model/CompletedItems.h"
#include "model/ListFile.h"
#include "skin/QtHelpers.h"

#include <QMoveEvent>

namespace agendrix {

frmRemote* frmList::ShowRemote()
{
    TheSettings.OpenRemote = true;
    if (RemotePanel) {
        RemotePanel->raise();
        return RemotePanel;
    }
    RemotePanel = new frmRemote(*this, this);
    RemotePanel->LoadSkin(Services.ProgramFolder, QString::fromStdString(TheSettings.SkinPath));
    RemotePanel->PlaceMe();
    RemotePanel->show();
    return RemotePanel;
}

frmRemote* frmList::Remote() const { return RemotePanel; }

void frmList::RemoteClosed()
{
    TheSettings.OpenRemote = false;
    if (RemotePanel) {
        RemotePanel->hide();
        RemotePanel->deleteLater();
        RemotePanel = nullptr;
    }
    activateWindow();
}

PanelPlacement frmList::RemotePlacement() const
{
    const bool docked = TheSettings.InSidebar();
    const QScreen* where = screen();
    return PanelPlacement { docked ? ListMode::Sidebar : ListMode::Normal,
        docked ? SidebarArea() : ToPixelRect(where->availableGeometry()), ToPixelRect(geometry()), width(),
        0 };
}

void frmList::moveEvent(QMoveEvent*)
{
    if (RemotePanel)
        RemotePanel->PlaceMe();
}

void frmList::SetAutoPurge(bool on)
{
    TheSettings.AutoPurge = on ? 1 : 0;
    ShowListItems();
}

void frmList::OpenListFile()
{
    SetWindFloat(false, "OpenListFile");
    NoHide = true;
    const SaveChoice choice = AskToSave(PromptButtons::YesNo);
    const auto chosen = choice == SaveChoice::Failed
        ? std::nullopt
        : Services.ThePrompts.ChooseFile(FileDialogRequest {
            FileDialogRequest::Kind::Open, "Open Task List", TaskListDialogFilter, List.ListName });
    if (chosen) {
        LoadList(*chosen);
        ShowListItems();
        CurrentLine = 0;
        AnimateCtrls();
        activateWindow();
    }
    // A cancelled dialog leaves the window as it was before the command, always-on-top included.
    SetWindFloat(true, "OpenListFile");
    NoHide = false;
}

void frmList::NewList()
{
    NoHide = true;
    if (AskToSave(PromptButtons::YesNo) != SaveChoice::Failed) {
        List.ListName = "New Task List " + std::to_string(++NewListCount);
        View.Caption = QStringLiteral(" - ") + FromUtf8(FileNameOf(List.ListName));
        List.Tasks.Clear();
        FirstRow = 0;
        List.Dirty = false;
        RefreshTitle();
        ShowListItems();
    }
    NoHide = false;
}

void frmList::ExportCompletedTasks()
{
    RowEditors->Finish();
    const ListDocument before = List;
    const ExportResult result = ExportCompleted(List, Services.ThePrompts, Services.TheClock.Now());
    if (result.What == ExportResult::Status::Exported && SaveTo(List.ListName) != SaveOutcome::Saved) {
        // The list file still holds the tasks: the completed-items file gives them back too, so
        // that a later export does not add them twice.
        if (const FileError restored = RestoreCompletedItems(result); !restored.Message.empty())
            Services.ThePrompts.Tell(restored.Message, PromptIcon::Critical);
        List = before;
    }
    ShowListItems();
}

void frmList::PurgeCompletedTasks()
{
    RowEditors->Finish();
    if (PurgeCompleted(List, Services.ThePrompts) == PurgeResult::Purged)
        ShowListItems();
}

void frmList::AddTask()
{
    // No row of the list reaches this index, so the editor opens on a new task.
    OpenEditor(TaskCount() - FirstRow, [this] { AnimateCtrls(); });
}

void frmList::EditCurrentTask()
{
    if (IsTask(CurrentLine))
        OpenEditor(CurrentLine, {});
}

void frmList::DeleteCurrentTask()
{
    RowEditors->Finish();
    if (IsTask(CurrentLine)) {
        List.Tasks.Remove(static_cast<std::size_t>(FirstRow + CurrentLine));
        List.Dirty = true;
    }
    ShowListItems();
}

} // namespace agendrix
