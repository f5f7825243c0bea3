#pragma once

#include "CivilDate.h"
#include "DateStatus.h"
#include "TaskStore.h"

#include <cstddef>
#include <cstdint>

namespace agendrix {

enum class DayKind { Weekdays = 0, Weekends = 1, AllDays = 2 };

// Number of counted days of `kind` (0, 1 or 2; any other value counts none) in the closed range
// of days [first, last], given as days since 1970-01-01. Zero when last < first.
std::int64_t QualifyingDays(std::int64_t first, std::int64_t last, int kind);

// The signed count c of counted days between now and the due date (midnight at its start):
// positive, the days from tomorrow up to and including the due date; zero or negative once the
// due date has come. A clock that reads exactly midnight counts the day after the due date too,
// as stepping whole days from that instant reaches it. Clamped to the 16-bit range.
int CountedDays(const DateTime& now, const CivilDate& due, int kind);

// The priority code of a date-based task: 1 missed, 2 extreme, then 3 + r / daysPerLevel up
// to 8, where r = counted - daysToComplete.
int DateBasedCode(std::int64_t counted, std::int64_t daysToComplete, int daysPerLevel);

enum class Assessment { Recomputed, Unchanged };

// Recomputes the codes of date-based lines and restores the order. Returns at once, Unchanged,
// while neither the list, nor the day, nor daysPerLevel changed since the last run. Does not
// count as an edit of the list. daysPerLevel below 1 counts as 1.
Assessment AssessDateItems(TaskStore& store, const DateTime& now, int daysPerLevel);

// The status entry of the line at `index`, worked out from the line and the inputs of the
// store's last assessment: statuses are made only for the rows and lines that show them, not kept
// for every line. Empty while the store has not been assessed since it was loaded or cleared.
DateStatus StatusAt(const TaskStore& store, std::size_t index);

} // namespace agendrix
