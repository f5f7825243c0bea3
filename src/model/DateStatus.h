#pragma once

#include "CivilDate.h"

#include <cstdint>
#include <functional>
#include <string>

namespace agendrix {

// What the status text of a task says, as a few numbers rather than text: it is worked out for
// the rows and lines that show it, and the text made only then.
struct DateStatus {
    enum class Kind : std::uint8_t {
        Empty, // a line whose code has no status name
        Named, // the status name of `Code`
        DueAhead, // "Due on: D, Start: r <kind>"
        DueAgo, // "Due: D, Start: |r| <kind> ago."
    };
    Kind What = Kind::Empty;
    std::uint8_t Code = 0;
    std::uint8_t DayKind = 0; // 0, 1, 2, or 3 for a kind that names no days
    std::int32_t StartDays = 0; // r, or |r| for DueAgo
    std::int32_t DueDay = 0; // days since 1970-01-01
};

// Writes a date as the user's short date format does; the app passes the locale's, tests a fixed one.
using DateFormatter = std::function<std::string(const CivilDate&)>;

std::string StatusText(const DateStatus& status, const DateFormatter& formatDate);

} // namespace agendrix

namespace agendrix {

// The inputs the codes of date-based lines were last computed from, which their statuses are
// worked out from too; while they hold, the date logic need not run again.
struct AssessKey {
    std::uint64_t Revision = 0; // TaskStore::Revision() after the run
    std::int64_t Day = 0; // today, in days since 1970-01-01
    bool AtMidnight = false; // the clock read exactly 00:00:00, which counts one day more
    int DaysPerLevel = 0;

    bool operator==(const AssessKey&) const = default;
};

} // namespace agendrix
