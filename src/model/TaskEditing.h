#pragma once

#include "CivilDate.h"
#include "ListDocument.h"
#include "TaskLine.h"

#include <string>

namespace agendrix {

// What the task editor holds when OK is pressed. Texts are Windows-1252 bytes.
struct TaskEditorInput {
    int PriorityOption = CodeUnprioritized; // 0 "&Date Based" to 10 "Co&mpleted"
    std::string Description;
    std::string Information; // as typed, with CR LF or LF line breaks
    CivilDate Date;
    std::string DaysToComplete = "1";
    int DayKind = 0;
    std::string File;
};

struct EditedTask {
    std::string Line;
    Shortening Shortened = Shortening::None;
    // The description as the line holds it (with the completion prefix when completed), which
    // the editor uses to find the task's row again.
    std::string Description;
};

// Builds the task line as the editor's OK does: the option number as the code, flag "1" only for
// "&Date Based", the information text encoded, the line shortened to 1024 bytes by cutting the
// information text, and a completed task's description prefixed with today's date. Tabs typed
// into the description or file become blanks.
EditedTask BuildEditedTask(const TaskEditorInput& input, const CivilDate& today);

// A new task's editor defaults: unprioritized, due 14 days from today, 1 day, weekdays.
TaskEditorInput NewTaskDefaults(const CivilDate& today);

// Marks the task at `index` completed on `today` and returns its new index; sets Dirty. An index
// past the last task changes nothing and returns nothing.
std::optional<std::size_t> CompleteTask(ListDocument& document, std::size_t index, const CivilDate& today);

} // namespace agendrix
