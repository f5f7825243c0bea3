#include "DateLogic.h"

#include "TaskLine.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace agendrix {

namespace {

    std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
    {
        const std::int64_t q = a / b;
        return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
    }

    // Saturdays and Sundays among the days before `day` (days since 1970-01-01), counted from an
    // arbitrary Sunday; only differences of it are meaningful.
    std::int64_t WeekendDaysBefore(std::int64_t day)
    {
        // day + 4 is a multiple of 7 on Sundays; a week that starts on a Sunday ends on a Saturday.
        const std::int64_t t = day + 4;
        const std::int64_t weeks = FloorDiv(t, 7);
        const std::int64_t rest = t - weeks * 7;
        return 2 * weeks + (rest >= 1 ? 1 : 0);
    }

} // namespace

std::int64_t QualifyingDays(std::int64_t first, std::int64_t last, int kind)
{
    if (last < first)
        return 0;
    const std::int64_t all = last - first + 1;
    const std::int64_t weekend = WeekendDaysBefore(last + 1) - WeekendDaysBefore(first);
    switch (kind) {
    case 0:
        return all - weekend;
    case 1:
        return weekend;
    case 2:
        return all;
    default:
        return 0;
    }
}

int CountedDays(const DateTime& now, const CivilDate& due, int kind)
{
    const std::int64_t today = DaysFromCivil(now.Date);
    const std::int64_t dueDay = DaysFromCivil(due);
    std::int64_t counted = 0;
    if (today < dueDay)
        counted = QualifyingDays(today + 1, now.SecondsOfDay == 0 ? dueDay + 1 : dueDay, kind);
    else
        counted = -QualifyingDays(dueDay + 1, today + 1, kind);
    return static_cast<int>(std::clamp<std::int64_t>(
        counted, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

int DateBasedCode(std::int64_t counted, std::int64_t daysToComplete, int daysPerLevel)
{
    const std::int64_t perLevel = std::max(daysPerLevel, 1);
    const std::int64_t r = counted - daysToComplete;
    if (r < 0)
        return counted <= 0 ? CodeBroken : CodeExtreme;
    if (r > 7 * perLevel)
        return CodeLow;
    return static_cast<int>(std::min<std::int64_t>(3 + r / perLevel, CodeLow));
}

namespace {

    // The fields of a line that the date logic reads, found in one pass over the line.
    struct DateFields {
        bool DateBased = false;
        std::string_view Date;
        std::string_view DaysToComplete;
        std::string_view DayKind;
    };

    DateFields ReadDateFields(std::string_view line)
    {
        std::array<std::size_t, 8> tabs {}; // tabs[k]: position of the k-th Tab, k = 1 to 7
        std::size_t found = 0;
        std::size_t from = 0;
        auto findTabs = [&](std::size_t upTo) {
            while (found < upTo) {
                const std::size_t tab = line.find('\t', from);
                if (tab == std::string_view::npos)
                    return;
                tabs[++found] = tab;
                from = tab + 1;
            }
        };
        // Field k runs from after Tab k-1 to Tab k (or the end of the line).
        auto field = [&](std::size_t k) -> std::string_view {
            if (found < k - 1)
                return {};
            const std::size_t begin = tabs[k - 1] + 1;
            const std::size_t stop = found >= k ? tabs[k] : line.size();
            return line.substr(begin, stop - begin);
        };
        // Most lines are not date-based; their later fields are never looked for.
        DateFields fields;
        findTabs(4);
        fields.DateBased = field(4) == "1";
        if (fields.DateBased) {
            findTabs(7);
            fields.Date = field(5);
            fields.DaysToComplete = field(6);
            fields.DayKind = field(7);
        }
        return fields;
    }

    struct DateBasedTask {
        bool Readable = false;
        CivilDate Due;
        std::int64_t DaysToComplete = 0;
        int Kind = 0;
    };

    DateBasedTask ReadDateBasedTask(const DateFields& fields)
    {
        DateBasedTask task;
        const auto due = ParseYyyymmdd(fields.Date);
        if (!due)
            return task;
        task.Readable = true;
        task.Due = *due;
        // Days are bounded so that r = c - N cannot overflow; such spans are not meaningful anyway.
        task.DaysToComplete
            = std::clamp<long long>(LeadingNumber(fields.DaysToComplete), -1'000'000'000LL, 1'000'000'000LL);
        const long long kind = LeadingNumber(fields.DayKind);
        task.Kind = kind >= 0 && kind <= 2 ? static_cast<int>(kind) : 3;
        return task;
    }

    // What the date logic decides for one line: the code it must carry (nothing keeps the line
    // as it is) and its status entry.
    struct LineAssessment {
        std::optional<int> Code;
        DateStatus Status;
    };

    // The new code and the status entry of a date-based line. One whose due date cannot be read
    // has no time left to work out: it shows as missed, where the user sees it first and can
    // correct the date.
    LineAssessment AssessDateBased(const DateFields& fields, const DateTime& now, int daysPerLevel)
    {
        const DateBasedTask task = ReadDateBasedTask(fields);
        DateStatus status;
        if (!task.Readable) {
            status.What = DateStatus::Kind::Named;
            status.Code = CodeBroken;
            return { CodeBroken, status };
        }
        const int counted = CountedDays(now, task.Due, task.Kind);
        const std::int64_t r = counted - task.DaysToComplete;
        status.What = r >= 0 ? DateStatus::Kind::DueAhead : DateStatus::Kind::DueAgo;
        status.StartDays = static_cast<std::int32_t>(r >= 0 ? r : -r);
        status.DayKind = static_cast<std::uint8_t>(task.Kind);
        status.DueDay = static_cast<std::int32_t>(DaysFromCivil(task.Due));
        const int code = DateBasedCode(counted, task.DaysToComplete, daysPerLevel);
        status.Code = static_cast<std::uint8_t>(code);
        return { code, status };
    }

    // The line's new code (date-based lines only) and its status entry.
    LineAssessment AssessLine(std::string_view line, const DateTime& now, int daysPerLevel)
    {
        const DateFields fields = ReadDateFields(line);
        if (fields.DateBased)
            return AssessDateBased(fields, now, daysPerLevel);
        const auto code = PriorityCode(line);
        DateStatus status;
        status.Code = static_cast<std::uint8_t>(code.value_or(0));
        status.What = code && !StatusName(*code).empty() ? DateStatus::Kind::Named : DateStatus::Kind::Empty;
        return { std::nullopt, status };
    }

    // Only the new code, as recoding the whole list needs: the status of a line that is not
    // date-based is not worked out for nothing.
    std::optional<int> NewCode(std::string_view line, const DateTime& now, int daysPerLevel)
    {
        const DateFields fields = ReadDateFields(line);
        return fields.DateBased ? AssessDateBased(fields, now, daysPerLevel).Code : std::nullopt;
    }

} // namespace

Assessment AssessDateItems(TaskStore& store, const DateTime& now, int daysPerLevel)
{
    daysPerLevel = std::max(daysPerLevel, 1);
    AssessKey key { store.Revision(), DaysFromCivil(now.Date), now.SecondsOfDay == 0, daysPerLevel };
    if (store.AssessedFor() == key)
        return Assessment::Unchanged;

    store.Recode([&](std::string_view line) { return NewCode(line, now, daysPerLevel); });
    key.Revision = store.Revision();
    store.MarkAssessed(key);
    return Assessment::Recomputed;
}

DateStatus StatusAt(const TaskStore& store, std::size_t index)
{
    const std::optional<AssessKey>& key = store.LastAssessment();
    if (!key)
        return {};
    // The day and whether the clock read midnight are all of `now` that the date logic uses.
    const DateTime now { CivilFromDays(key->Day), key->AtMidnight ? 0 : 12 * 3600 };
    return AssessLine(store.Line(index), now, key->DaysPerLevel).Status;
}

} // namespace agendrix
