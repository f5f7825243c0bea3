#include "RowContent.h"

#include "DateLogic.h"

namespace agendrix {

RowContent ContentOfRow(const TaskStore& tasks, std::size_t index, const DateFormatter& formatDate)
{
    RowContent row;
    if (index >= tasks.Count()) {
        row.DateText = EmptyRowHint;
        return row;
    }
    const std::string_view line = tasks.Line(index);
    row.Empty = false;
    row.Code = PriorityCode(line).value_or(CodeUnprioritized);
    if (row.Code == CodeNotAssessed)
        row.Code = CodeUnprioritized;
    row.Description = GetField(line, TaskField::Description);
    row.Information = GetField(line, TaskField::Information);
    if (tasks.LastAssessment())
        row.DateText = StatusText(StatusAt(tasks, index), formatDate);
    return row;
}

std::optional<int> RowShowing(
    const TaskStore& tasks, std::size_t rowStart, int rowsShown, std::string_view description)
{
    for (int row = 0; row < rowsShown && rowStart + static_cast<std::size_t>(row) < tasks.Count(); ++row) {
        if (GetField(tasks.Line(rowStart + static_cast<std::size_t>(row)), TaskField::Description)
            == description)
            return row;
    }
    return std::nullopt;
}

} // namespace agendrix
