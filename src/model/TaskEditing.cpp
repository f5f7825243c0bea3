#include "TaskEditing.h"

#include <algorithm>

namespace agendrix {

EditedTask BuildEditedTask(const TaskEditorInput& input, const CivilDate& today)
{
    const int option = std::clamp(input.PriorityOption, 0, CodeCompleted);
    TaskFields fields;
    fields.Code = TwoDigitCode(option);
    fields.Description = WithoutTabs(input.Description);
    fields.Information = EncodeInformation(input.Information);
    fields.DateBased = option == CodeNotAssessed ? "1" : "0";
    fields.Date = FormatYyyymmdd(input.Date);
    fields.DaysToComplete = WithoutTabs(input.DaysToComplete);
    fields.DayKind = std::to_string(std::clamp(input.DayKind, 0, 2));
    fields.File = WithoutTabs(input.File);

    FittedLine fitted = BuildFittedTaskLine(fields);
    EditedTask edited { std::move(fitted.Line), fitted.Shortened, fields.Description };
    if (option == CodeCompleted) {
        const std::string prefix = FormatSlashed(today) + " - ";
        edited.Line.insert(3, prefix);
        edited.Description = prefix + edited.Description;
    }
    return edited;
}

TaskEditorInput NewTaskDefaults(const CivilDate& today)
{
    TaskEditorInput input;
    input.Date = AddDays(today, 14);
    return input;
}

std::optional<std::size_t> CompleteTask(ListDocument& document, std::size_t index, const CivilDate& today)
{
    if (index >= document.Tasks.Count())
        return std::nullopt;
    const std::size_t newIndex
        = document.Tasks.Replace(index, CompleteTaskLine(document.Tasks.Line(index), today));
    document.Dirty = true;
    return newIndex;
}

} // namespace agendrix
