#pragma once

#include "DateStatus.h"
#include "TaskLine.h"
#include "TaskStore.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace agendrix {

// The status line's hint over a row past the last task.
inline constexpr std::string_view EmptyRowHint = "Right-click to add task";

// What one row of the list window shows, as the list holds it; the window only turns the texts
// into its own strings. The views are valid until the next change to the store.
struct RowContent {
    bool Empty = true; // past the last task: the row offers to add one
    int Code = CodeUnprioritized; // the lamp's code
    std::string_view Description; // Windows-1252 bytes
    std::string_view Information; // Windows-1252 bytes, "¶" for each line break
    std::string DateText; // UTF-8: the task's status text, or EmptyRowHint
};

// The row for the task at `index`. A date-based task not assessed yet and a line whose code
// cannot be read show the Unprioritized lamp; a task has a status text only once the store was
// assessed (until then it has none, which leaves the status line as it is).
RowContent ContentOfRow(const TaskStore& tasks, std::size_t index, const DateFormatter& formatDate);

// The first of the `rowsShown` rows from task `rowStart` on whose task's description is
// `description` (Windows-1252 bytes, compared byte for byte), counted from 0; nothing when no
// shown row holds one.
std::optional<int> RowShowing(
    const TaskStore& tasks, std::size_t rowStart, int rowsShown, std::string_view description);

} // namespace agendrix
