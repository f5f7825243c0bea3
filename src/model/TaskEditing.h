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
// into the description or file become blanks, and so does each line break (CR LF, LF or a lone CR)
// of the description.
EditedTask BuildEditedTask(const TaskEditorInput& input, const CivilDate& today);

// Whether the days field holds a number as the user may type one: ASCII blanks around an optional
// sign, digits and at most one decimal point, with at least one digit.
bool IsNumericText(std::string_view text);

// A new task's editor defaults: unprioritized, due 14 days from today, 1 day, weekdays.
TaskEditorInput NewTaskDefaults(const CivilDate& today);

// The editor's fields for an existing task line: the code selects the option (at most 10), a
// date-based flag above 0 selects "&Date Based" whatever the code, a date field that is not eight
// digits of a real date reads as `today`, and the information text gets its line breaks back.
TaskEditorInput EditorInputFromLine(std::string_view line, const CivilDate& today);

struct ChangedTask {
    std::string Line;
    std::string Description; // the description as stored, to find the task's row again
};

// The priority picker's change of a line: the option number becomes the code, the date-based flag
// becomes "1" for option 0 and "0" otherwise, and a completed task gets today's date prefix.
// Nothing else of the line changes.
ChangedTask WithPickedPriority(std::string_view line, int option, const CivilDate& today);

// The line with a new description typed in place; Tabs and line breaks typed into it become blanks.
std::string WithDescription(std::string_view line, std::string_view description);

// The line with a new information text typed in place (LF or CR LF line breaks), cut from its end
// while the line is longer than 1024 bytes. A line too short to hold an information field is
// returned unchanged.
FittedLine WithInformation(std::string_view line, std::string_view typed);

// Marks the task at `index` completed on `today` and returns its new index; sets Dirty. An index
// past the last task changes nothing and returns nothing.
std::optional<std::size_t> CompleteTask(ListDocument& document, std::size_t index, const CivilDate& today);

} // namespace agendrix
