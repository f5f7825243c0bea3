// What the task editor's commands do to the list: OK, Delete Task, Browse, and the days field.
#include "frmTask.h"

#include "ListText.h"

#include "model/TaskEditing.h"
#include "model/TaskLine.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>
#include <set>

namespace agendrix {

namespace {
    constexpr long long MostDays = 999; // the up-down control's range is 0 to this

    // Every message about one save is shown once, however many fields gave rise to it.
    class TellOnce : public Prompts {
    public:
        explicit TellOnce(Prompts& inner)
            : Inner(inner)
        {
        }
        PromptAnswer Ask(const PromptRequest& request) override
        {
            return Told.insert(request.Text).second ? Inner.Ask(request) : PromptAnswer::Ok;
        }

    private:
        Prompts& Inner;
        std::set<std::string> Told;
    };
} // namespace

void frmTask::CheckDays()
{
    // Qt's trimming takes the blanks beyond ASCII, such as a no-break space, as well.
    if (Unloaded || CheckingDays || IsNumericText(Days->text().trimmed().toStdString()))
        return;
    CheckingDays = true;
    Host.ThePrompts().Tell("Days to complete must be a number.", PromptIcon::None);
    Days->setText(QStringLiteral("3"));
    CheckingDays = false;
}

void frmTask::StepDays(int step)
{
    const long long days = LeadingNumber(Days->text().toStdString()) + step;
    Days->setText(QString::number(std::clamp(days, 0LL, MostDays)));
}

void frmTask::Confirm()
{
    if (Unloaded)
        return;
    OkButton->setFocus(Qt::OtherFocusReason);
    CheckDays();
    if (Description->text().isEmpty()) {
        Host.ThePrompts().Tell("Please enter a Task Description.", PromptIcon::Exclamation);
        Description->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!MayComplete())
        return;
    TellOnce prompts(Host.ThePrompts());
    Save(InputFromFields(prompts));
}

bool frmTask::MayComplete()
{
    if (!Host.CurrentSettings().AutoPurges() || Priority.checkedId() != CodeCompleted)
        return true;
    const PromptRequest question { "Auto Purge On...",
        "Marking this item as Complete will automatically remove it from the list, do you wish to "
        "continue?",
        PromptIcon::Exclamation, PromptButtons::YesNo, PromptAnswer::No };
    return Host.ThePrompts().Ask(question) == PromptAnswer::Yes && !Unloaded;
}

TaskEditorInput frmTask::InputFromFields(Prompts& prompts) const
{
    TaskEditorInput input;
    input.PriorityOption = Priority.checkedId();
    input.Description = ToListBytes(Description->text(), prompts);
    input.Information = ToListBytes(Information->toPlainText(), prompts);
    const QDate date = DatePicker->date();
    input.Date = CivilDate { date.year(), date.month(), date.day() };
    input.DaysToComplete = ToListBytes(Days->text(), prompts);
    input.DayKind = DayKind;
    input.File = PathToListBytes(File->text());
    return input;
}

void frmTask::Save(const TaskEditorInput& input)
{
    const EditedTask edited = BuildEditedTask(input, Host.Today());
    TaskStore& tasks = Host.Document().Tasks;
    if (HoldsTask())
        tasks.Remove(EditIndex);
    tasks.Add(edited.Line);
    // The list shows the change, and any message about it, with the dialog gone.
    hide();
    Host.TaskChanged({ edited.Description, edited.Shortened });
    Unload();
}

void frmTask::DeleteTask()
{
    if (Unloaded)
        return;
    // On a new task there is nothing to remove, and the list stays as it was, unchanged.
    if (HoldsTask()) {
        Host.Document().Tasks.Remove(EditIndex);
        Host.TaskChanged({});
    }
    Unload();
}

void frmTask::Browse()
{
    FileDialogRequest request;
    request.What = FileDialogRequest::Kind::Open;
    request.InitialPath = File->text().toStdString();
    if (const auto chosen = Host.ThePrompts().ChooseFile(request))
        File->setText(QString::fromStdString(*chosen));
}

void frmTask::Unload()
{
    if (Unloaded)
        return;
    Unloaded = true;
    Host.SetNoHide(false);
    hide();
    emit Closed();
    deleteLater();
}

} // namespace agendrix
