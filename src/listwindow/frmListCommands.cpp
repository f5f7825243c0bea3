// The list window's commands that replace or write the open list, the queue check, the keys,
// and closing.
#include "frmDockTab.h"
#include "frmList.h"

#include "editing/InlineEditors.h"

#include "model/ListFile.h"
#include "model/QueueFile.h"
#include "model/Recovery.h"
#include "model/Settings.h"
#include "skin/QtHelpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>

#include <iostream>

namespace agendrix {

namespace {
    const char* const SaveDialogTitle = "Save Task List";
} // namespace

SaveChoice frmList::AskToSave(PromptButtons buttons)
{
    RowEditors->Finish();
    if (!List.Dirty)
        return SaveChoice::NotSaved;
    const PromptAnswer answer = Services.ThePrompts.Ask(PromptRequest { "Save Task List?",
        "Would you like to save the changes to " + std::string(FileNameOf(List.ListName)) + "?",
        PromptIcon::Question, buttons, PromptAnswer::Yes });
    if (answer == PromptAnswer::Cancel)
        return SaveChoice::Cancelled;
    if (answer != PromptAnswer::Yes)
        return SaveChoice::NotSaved;
    switch (Save()) {
    case SaveOutcome::Saved:
        return SaveChoice::Saved;
    case SaveOutcome::Cancelled:
        return SaveChoice::NotSaved;
    case SaveOutcome::Failed:
        break;
    }
    return SaveChoice::Failed;
}

SaveOutcome frmList::SaveTo(const std::string& path)
{
    const std::string previous = List.ListName;
    List.ListName = path;
    const FileError error = SaveListLocked(List);
    if (!error.Message.empty()) {
        List.ListName = previous;
        Services.ThePrompts.Tell(error.Message, PromptIcon::Critical);
        return SaveOutcome::Failed;
    }
    TheSettings.ListName = List.ListName;
    RefreshTitle();
    update();
    return SaveOutcome::Saved;
}

SaveOutcome frmList::Save()
{
    RowEditors->Finish();
    // A start with a file that did not exist leaves only its folder: that list has no name yet.
    if (HasBeenSaved(List.ListName) && !List.ListName.ends_with('/'))
        return SaveTo(List.ListName);
    return SaveAs();
}

SaveOutcome frmList::SaveAs()
{
    RowEditors->Finish();
    const auto chosen = Services.ThePrompts.ChooseFile(FileDialogRequest {
        FileDialogRequest::Kind::Save, SaveDialogTitle, TaskListDialogFilter, List.ListName });
    return chosen ? SaveTo(*chosen) : SaveOutcome::Cancelled;
}

void frmList::MyList()
{
    const std::string path
        = QDir(Services.ProgramFolder).filePath(QStringLiteral("Agendrix.agl")).toStdString();
    if (const SaveChoice choice = AskToSave(PromptButtons::YesNoCancel);
        choice == SaveChoice::Cancelled || choice == SaveChoice::Failed)
        return;
    if (FileExists(path)) {
        LoadList(path);
    } else {
        // The list starts empty under its own path; the mark of changes stays as it was.
        List.ListName = path;
        TheSettings.ListName = path;
        List.Tasks.Clear();
        FirstRow = 0;
        RefreshTitle();
        View.Caption = QStringLiteral(" - Agendrix");
    }
    ShowListItems();
    AnimateCtrls();
}

bool frmList::OpenList(const std::string& path)
{
    if (const SaveChoice choice = AskToSave(PromptButtons::YesNoCancel);
        choice == SaveChoice::Cancelled || choice == SaveChoice::Failed)
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
        = TakeQueueFile(QDir(Services.ProgramFolder).filePath(FromUtf8(QueueFileName)).toStdString()))
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
    // A sidebar that slid away comes out as though its tab had been touched.
    if (TheSettings.InSidebar() && !isVisible()) {
        Slide.Touch();
        DockTick();
    }
    raise();
    activateWindow();
}

void frmList::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt turns a quick second press into a double click: anywhere but the background it is
    // just another press (a scroll button clicked twice scrolls twice).
    if (WhatIsAt(event->position().toPoint()).Area != ListArea::Background)
        return mousePressEvent(event);
    if (TheSettings.InSidebar())
        return;
    TheSettings.WinLeft = 200;
    TheSettings.WinTop = 100;
    TheSettings.WinWidth = 394;
    TheSettings.WinHeight = 479;
    showNormal();
    setGeometry(200, 100, 394, 479);
    ShowFileNameCaption();
}

void frmList::Run(ListCommand command) { EntryOf(command).Run(*this); }

bool frmList::RunAccessKey(const QKeyEvent& event)
{
    // Qt numbers the keys of the space, digits and letters as their ASCII capitals.
    const int key = event.key();
    if (event.modifiers() != Qt::AltModifier
        || !(key == Qt::Key_Space || (key >= Qt::Key_0 && key <= Qt::Key_Z)))
        return false;
    const ListCommandEntry* command = CommandWithAccessKey(static_cast<char>(key));
    if (command == nullptr)
        return false;
    command->Run(*this);
    return true;
}

void frmList::keyPressEvent(QKeyEvent* event)
{
    if (!RunAccessKey(*event))
        QWidget::keyPressEvent(event);
}

void frmList::SaveSettings(ErrorReport report, FileOps& ops)
{
    // Before the window was first shown (an end during a start-up message) it has no placement
    // of its own yet, and the sidebar's is not the normal one: the settings keep theirs.
    if (isVisible() && !isMaximized() && !isMinimized() && !TheSettings.InSidebar()) {
        TheSettings.WinLeft = x();
        TheSettings.WinTop = y();
        TheSettings.WinWidth = width();
        TheSettings.WinHeight = height();
    }
    const QString path = QDir(Services.ProgramFolder).filePath(FromUtf8(SettingsFileName));
    const FileError error = SaveFileAtomically(path.toStdString(), SaveINI(TheSettings), ops);
    if (error.Message.empty())
        return;
    if (report == ErrorReport::Message)
        Services.ThePrompts.Tell(error.Message, PromptIcon::Critical);
    else
        std::cerr << "agendrix: " << error.Message << '\n';
}

void frmList::Terminate()
{
    RowEditors->Finish();
    if (List.Dirty && !ReadingList) {
        // The end must come within a second: the system, not this program, waits for the disk.
        const FileError error
            = WriteRecoveryCopy(List, Services.ProgramFolder.toStdString(), UnsyncedFileOps());
        if (!error.Message.empty())
            std::cerr << "agendrix: " << error.Message << '\n';
    }
    SaveSettings(ErrorReport::StandardError, UnsyncedFileOps());
    QueueTimer.stop();
    ScrollTimer.stop();
    DockTimer.stop();
    StopAnimations();
    emit Terminated();
}

void frmList::closeEvent(QCloseEvent* event)
{
    // The question offers Yes and No only, and a cancelled save dialog skips the save; but a
    // save that failed keeps the window open, or the changes would be lost.
    if (AskToSave(PromptButtons::YesNo) == SaveChoice::Failed) {
        event->ignore();
        return;
    }
    SaveSettings();
    QueueTimer.stop();
    ScrollTimer.stop();
    DockTimer.stop();
    StopAnimations();
    // A sidebar that has slid away is closed unseen, which Qt does not count as the last
    // window closing: the program ends all the same.
    if (TheSettings.InSidebar() && !isVisible())
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    Tab.reset();
    event->accept();
}

} // namespace agendrix
