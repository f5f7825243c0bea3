// The list window's commands that replace or write the open list, the queue check, the keys,
// and closing.
#include "frmList.h"

#include "model/ListFile.h"
#include "model/QueueFile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>

namespace agendrix {

namespace {
    const char* const SaveDialogTitle = "Save Task List";
    const char* const SaveDialogFilter = "Task Lists (*.agl)|*.agl|Completed Task Lists (*.cti)|*.cti|All "
                                         "Task Lists (*.agl; *.cti)|*.agl;*.cti";
} // namespace

SaveChoice frmList::AskToSave(PromptButtons buttons)
{
    if (!List.Dirty)
        return SaveChoice::NotSaved;
    const PromptAnswer answer = Services.ThePrompts.Ask(PromptRequest { "Save Task List?",
        "Would you like to save the changes to " + std::string(FileNameOf(List.ListName)) + "?",
        PromptIcon::Question, buttons, PromptAnswer::Yes });
    if (answer == PromptAnswer::Cancel)
        return SaveChoice::Cancelled;
    if (answer != PromptAnswer::Yes)
        return SaveChoice::NotSaved;
    Save();
    return List.Dirty ? SaveChoice::NotSaved : SaveChoice::Saved;
}

bool frmList::SaveTo(const std::string& path)
{
    const std::string previous = List.ListName;
    List.ListName = path;
    const FileError error = SaveList(List);
    if (!error.Message.empty()) {
        List.ListName = previous;
        Services.ThePrompts.Tell(error.Message, PromptIcon::Critical);
        return false;
    }
    TheSettings.ListName = List.ListName;
    RefreshTitle();
    update();
    return true;
}

void frmList::Save()
{
    if (HasBeenSaved(List.ListName)) {
        SaveTo(List.ListName);
        return;
    }
    SaveAs();
}

void frmList::SaveAs()
{
    const auto chosen = Services.ThePrompts.ChooseFile(FileDialogRequest {
        FileDialogRequest::Kind::Save, SaveDialogTitle, SaveDialogFilter, List.ListName });
    if (chosen)
        SaveTo(*chosen);
}

void frmList::MyList()
{
    const std::string path
        = QDir(Services.ProgramFolder).filePath(QStringLiteral("Agendrix.agl")).toStdString();
    if (AskToSave(PromptButtons::YesNoCancel) == SaveChoice::Cancelled)
        return;
    if (FileExists(path)) {
        LoadList(path);
        return;
    }
    List.ListName = path;
    List.Tasks.Clear();
    List.Dirty = false;
    FirstRow = 0;
    RefreshTitle();
    View.Caption = QStringLiteral(" - Agendrix");
    CreateArrays();
}

bool frmList::OpenList(const std::string& path)
{
    if (AskToSave(PromptButtons::YesNoCancel) == SaveChoice::Cancelled)
        return false;
    LoadList(path);
    return true;
}

void frmList::CheckQueue()
{
    // Only a started window that is not closing reads requests; until then they wait in the
    // queue file, and the start that placed one becomes the running instance when this one
    // ends without reading it.
    if (!QueueTimer.isActive())
        return;
    // A request is taken at once, even while a dialog is open, so that its start knows it has
    // arrived and the next start can place its own; the lists are opened in the order they came.
    if (auto request
        = TakeQueueFile(QDir(Services.ProgramFolder).filePath(QStringLiteral("queue.ini")).toStdString()))
        HandedOver.push_back(std::move(*request));
    // A list handed over while the task editor or a message is open waits for it to close: the
    // open dialog works on a task of the list shown now.
    if (HandedOver.empty() || OpeningHandedOver || QApplication::activeModalWidget() != nullptr)
        return;
    OpeningHandedOver = true;
    bool toFront = false;
    while (!HandedOver.empty()) {
        const QueueRequest request = std::move(HandedOver.front());
        HandedOver.pop_front();
        const bool opened = request.ListPath.empty() || OpenList(request.ListPath);
        toFront = toFront || opened;
    }
    OpeningHandedOver = false;
    if (!toFront)
        return;
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void frmList::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt turns a quick second press into a double click: anywhere but the background it is
    // just another press (a scroll button clicked twice scrolls twice).
    if (HitTest(event->position().toPoint()) != Hit::Background)
        return mousePressEvent(event);
    if (TheSettings.DockMode == 1)
        return;
    TheSettings.WinLeft = 200;
    TheSettings.WinTop = 100;
    TheSettings.WinWidth = 394;
    TheSettings.WinHeight = 479;
    showNormal();
    setGeometry(200, 100, 394, 479);
    View.Caption = QStringLiteral(" - ") + QString::fromStdString(std::string(FileNameOf(List.ListName)));
}

void frmList::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::AltModifier) {
        switch (event->key()) {
        case Qt::Key_S:
            return Save();
        case Qt::Key_A:
            return SaveAs();
        case Qt::Key_M:
            return MyList();
        default:
            break;
        }
    }
    QWidget::keyPressEvent(event);
}

void frmList::SaveSettings()
{
    if (!isMaximized() && !isMinimized()) {
        TheSettings.WinLeft = x();
        TheSettings.WinTop = y();
        TheSettings.WinWidth = width();
        TheSettings.WinHeight = height();
    }
    const QString path = QDir(Services.ProgramFolder).filePath(QStringLiteral("agendrix.ini"));
    const FileError error = SaveFileAtomically(path.toStdString(), SaveINI(TheSettings));
    if (!error.Message.empty())
        Services.ThePrompts.Tell(error.Message, PromptIcon::Critical);
}

void frmList::closeEvent(QCloseEvent* event)
{
    // Closing always goes on: the question offers Yes and No only, and a cancelled save dialog
    // skips the save.
    AskToSave(PromptButtons::YesNo);
    SaveSettings();
    QueueTimer.stop();
    ScrollTimer.stop();
    StopAnimations();
    event->accept();
}

} // namespace agendrix
