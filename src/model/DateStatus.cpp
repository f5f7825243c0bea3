#include "DateStatus.h"

#include "TaskLine.h"

#include <cstdlib>

namespace agendrix {

namespace {
    std::string_view DayKindName(int kind)
    {
        switch (kind) {
        case 0:
            return "Weekday Days";
        case 1:
            return "Week-end Days";
        case 2:
            return "Days";
        default:
            return "";
        }
    }
} // namespace

std::string StatusText(const DateStatus& status, const DateFormatter& formatDate)
{
    switch (status.What) {
    case DateStatus::Kind::Empty:
        return {};
    case DateStatus::Kind::Named:
        return std::string(StatusName(status.Code));
    case DateStatus::Kind::DueAhead:
        return "Due on: " + formatDate(CivilFromDays(status.DueDay))
            + ", Start: " + std::to_string(status.StartDays) + " " + std::string(DayKindName(status.DayKind));
    case DateStatus::Kind::DueAgo:
        return "Due: " + formatDate(CivilFromDays(status.DueDay)) + ", Start: "
            + std::to_string(status.StartDays) + " " + std::string(DayKindName(status.DayKind)) + " ago.";
    }
    return {};
}

} // namespace agendrix
