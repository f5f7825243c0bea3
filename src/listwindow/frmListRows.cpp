// What a pointer does on the rows: the lamps, the descriptions, the control bars with their five
// buttons, the information block and the menu button.
#include "frmList.h"

#include "editing/InlineEditors.h"
#include "editing/ListText.h"
#include "editing/frmPicker.h"
#include "editing/frmTask.h"

#include "model/GoToFile.h"
#include "model/TaskEditing.h"
#include "model/TaskLine.h"
#include "skin/QtHelpers.h"

#include <QApplication>
#include <QMouseEvent>

namespace agendrix {

void frmList::PressRow(const ListHit& hit, Qt::MouseButton button, QPoint global)
{
    const int row = hit.Row;
    switch (hit.Part) {
    case RowPart::Label:
        return button == Qt::LeftButton && IsTask(row) ? BeginDescriptionEdit(row) : RowToEditor(row);
    case RowPart::Lamp:
        if (button != Qt::RightButton)
            return ToggleInformation(row);
        return IsTask(row) ? OpenPicker(row, global) : RowToEditor(row);
    case RowPart::Bar:
        return PressBar(row, QPoint(hit.X, hit.Y));
    case RowPart::None:
        break;
    }
}

void frmList::PressBar(int row, QPoint inBar)
{
    DragOn = Drag::Bar;
    PressedRow = row;
    const bool open = row == CurrentLine && BarState.WideRow() == row;
    if (open) {
        BtnPushd = true;
        HoveredButton = BarButtonAt(inBar.x(), inBar.y());
    }
    if (const auto picture = BarOverlayAt(
            open ? BarShape::Open : BarShape::Collapsed, inBar.x(), inBar.y(), BarCellState::Pressed))
        View.BarButton = BarPicture { row, *picture };
    update();
}

void frmList::ReleaseBar(QPoint p)
{
    const int row = PressedRow;
    const bool pushed = BtnPushd;
    BtnPushd = false;
    PressedRow = -1;
    View.BarButton.reset();
    update();
    if (row < 0 || row >= static_cast<int>(View.Rows.Rows.size()))
        return;
    const QPoint inBar = p - ToQRect(View.Rows.Rows[static_cast<std::size_t>(row)].ControlBar).topLeft();
    if (row == CurrentLine) {
        // A release away from the pressed button cancels it.
        if (pushed && HoveredButton && InsideBarButton(*HoveredButton, inBar.x(), inBar.y()))
            RunBarButton(*HoveredButton);
    } else if (inBar.x() > 3) {
        CurrentLine = row;
        AnimateCtrls();
    }
}

void frmList::RunBarButton(BarButton button)
{
    switch (button) {
    case BarButton::Close:
        CurrentLine = -1;
        return AnimateCtrls();
    case BarButton::Complete:
        return CompleteCurrentTask();
    case BarButton::Information:
        return ToggleInformation(CurrentLine);
    case BarButton::GoToFile:
        return GoToFile();
    case BarButton::Edit:
        return OpenEditor(CurrentLine, {});
    }
}

void frmList::MoveOverRow(const ListHit& hit)
{
    if (hit.Part == RowPart::Bar)
        return HoverBar(hit.Row, QPoint(hit.X, hit.Y));
    if (View.BarButton && !BtnPushd) {
        View.BarButton.reset();
        update();
    }
    ShowRowTexts(hit.Row, hit.Part);
    if (hit.Part == RowPart::Label && TheSettings.AutoExpandsBars() && hit.Row != CurrentLine) {
        CurrentLine = hit.Row;
        AnimateCtrls();
    }
}

void frmList::ShowRowTexts(int row, RowPart part)
{
    const RowView& view = View.RowViews[static_cast<std::size_t>(row)];
    // An empty row is an Unprioritized row with no information; its description offers the add.
    if (part == RowPart::Lamp)
        setToolTip(FromUtf8(StatusName(view.Code)));
    else
        setToolTip(view.Empty ? QStringLiteral("Click to add Task.") : view.Information);
    // The empty row's hint stands in for its date text.
    if (!view.DateText.isEmpty())
        SetStatus(view.DateText);
}

void frmList::HoverBar(int row, QPoint inBar)
{
    if (TheSettings.AutoExpandsBars() && row != CurrentLine) {
        CurrentLine = row;
        AnimateCtrls();
    }
    if (BtnPushd)
        return;
    const bool open = row == CurrentLine;
    QString tip = FromUtf8(ExpandBarText);
    if (open) {
        HoveredButton = BarButtonAt(inBar.x(), inBar.y());
        tip = HoveredButton ? FromUtf8(BarButtonText(*HoveredButton)) : QString();
    }
    std::optional<BarPicture> picture;
    if (const auto overlay = BarOverlayAt(
            open ? BarShape::Open : BarShape::Collapsed, inBar.x(), inBar.y(), BarCellState::Highlighted))
        picture = BarPicture { row, *overlay };
    setToolTip(tip);
    const bool changed = picture != View.BarButton;
    View.BarButton = picture;
    if (changed)
        update();
    SetStatus(tip);
}

void frmList::PressMenuButton()
{
    DragOn = Drag::Menu;
    View.MenuPressed = true;
    update();
}

void frmList::ReleaseMenuButton()
{
    View.MenuPressed = false;
    update();
    OpenMenuUnderButton();
}

void frmList::ToggleInformation(int row)
{
    ExpandLine = ExpandLine == row ? -1 : row;
    DrawSkin(Redraw::Always);
}

void frmList::PressDetails()
{
    if (!IsTask(ExpandLine))
        return RowToEditor(ExpandLine);
    if (!View.Rows.Details)
        return;
    // The editors take the whole text, which a row may show only the start of.
    const std::size_t index = static_cast<std::size_t>(FirstRow + ExpandLine);
    const QString text = FromListBytes(GetField(List.Tasks.Line(index), TaskField::Information));
    RowEditors->BeginInformation(
        index, ToQRect(*View.Rows.Details), QString(text).replace(QChar(0xB6), QChar('\n')));
}

void frmList::BeginDescriptionEdit(int row)
{
    QRect place = ToQRect(View.Rows.Rows[static_cast<std::size_t>(row)].Label);
    // The open control bar stays visible beside the editor.
    if (row == CurrentLine)
        place.setWidth(place.width() - 80);
    const std::size_t index = static_cast<std::size_t>(FirstRow + row);
    RowEditors->BeginDescription(
        index, place, FromListBytes(GetField(List.Tasks.Line(index), TaskField::Description)));
}

void frmList::RowToEditor(int row)
{
    const std::size_t before = List.Tasks.Count();
    const int savedLine = CurrentLine;
    CurrentLine = row;
    OpenEditor(row, [this, before, savedLine] {
        if (List.Tasks.Count() > before)
            AnimateCtrls();
        else
            CurrentLine = savedLine;
    });
}

void frmList::OpenEditor(int row, std::function<void()> afterwards)
{
    auto* editor = new frmTask(*this, static_cast<std::size_t>(FirstRow + row), this);
    connect(editor, &frmTask::Closed, this, &frmList::TakeBackFocus);
    if (afterwards)
        connect(editor, &frmTask::Closed, this, std::move(afterwards));
    editor->Open();
}

void frmList::OpenPicker(int row, QPoint global)
{
    auto* picker
        = new frmPicker(*this, static_cast<std::size_t>(FirstRow + row), global, Skin.EditBackground, this);
    connect(picker, &frmPicker::Closed, this, &frmList::TakeBackFocus);
    picker->Open();
}

void frmList::TakeBackFocus()
{
    setFocus(Qt::OtherFocusReason);
    // Without a window manager the keyboard stays nowhere once a dialog or popup has gone. A
    // window that closed because another program or window was chosen leaves the keyboard there.
    const QWidget* active = QApplication::activeWindow();
    if (QGuiApplication::applicationState() == Qt::ApplicationActive
        && (active == nullptr || active == this || !active->isVisible()))
        activateWindow();
}

void frmList::CompleteCurrentTask()
{
    if (!IsTask(ShownCurrentLine()))
        return;
    const auto index = CompleteTask(List, static_cast<std::size_t>(FirstRow + CurrentLine), Today());
    TaskChanged({ std::string(GetField(List.Tasks.Line(*index), TaskField::Description)), Shortening::None });
}

void frmList::GoToFile()
{
    const int row = ShownCurrentLine();
    const GoToFileAction action = DecideGoToFile(
        List.Tasks, row >= 0 ? std::optional(static_cast<std::size_t>(FirstRow + row)) : std::nullopt);
    switch (action.What) {
    case GoToFileAction::Kind::NoTask:
        return SetStatus(QStringLiteral("No Task Information"));
    case GoToFileAction::Kind::AskToAssociate:
        return OfferToAssociateFile();
    case GoToFileAction::Kind::OpenList:
        return OpenTaskList(action.Path);
    case GoToFileAction::Kind::OpenDocument:
        return Services.TheShell.OpenDocument(action.Path, action.WorkingFolder);
    }
}

void frmList::OfferToAssociateFile()
{
    const PromptAnswer answer = Services.ThePrompts.Ask(PromptRequest { "Agendrix",
        "This task does not have a task associated with it. Would you like to associate one now?",
        PromptIcon::Question, PromptButtons::YesNoCancel, PromptAnswer::Yes });
    if (answer == PromptAnswer::Yes)
        OpenEditor(CurrentLine, {});
}

void frmList::OpenTaskList(const std::string& path)
{
    if (AskToSave(PromptButtons::YesNo) == SaveChoice::Failed)
        return;
    LoadList(path);
    ShowListItems();
    CurrentLine = 0;
    AnimateCtrls();
}

} // namespace agendrix
