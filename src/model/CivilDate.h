#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace agendrix {

// A calendar day of the proleptic Gregorian calendar.
struct CivilDate {
    int Year = 1970;
    int Month = 1; // 1 to 12
    int Day = 1; // 1 to the month's length

    auto operator<=>(const CivilDate&) const = default;
};

// A local date and time with second resolution, as the clock hands it to the model.
struct DateTime {
    CivilDate Date;
    int SecondsOfDay = 0; // 0 to 86399

    auto operator<=>(const DateTime&) const = default;
};

// Days since 1970-01-01; valid for every year that fits an int.
std::int64_t DaysFromCivil(const CivilDate& date);
CivilDate CivilFromDays(std::int64_t days);

bool IsValidDate(const CivilDate& date);
CivilDate AddDays(const CivilDate& date, std::int64_t days);

// Day of the week numbered Sunday 1, Monday 2, ..., Saturday 7.
int WeekdayNumber(std::int64_t daysSinceEpoch);

// "yyyymmdd": exactly eight digits naming a real day, else nothing.
std::optional<CivilDate> ParseYyyymmdd(std::string_view text);
std::string FormatYyyymmdd(const CivilDate& date);
// "yyyy/mm/dd", the prefix of a completed task's description.
std::string FormatSlashed(const CivilDate& date);
// "yyyy-mm-dd".
std::string FormatIso(const CivilDate& date);

// "YYYY-MM-DD" optionally followed by "THH:MM" or "THH:MM:SS"; a date alone means noon.
std::optional<DateTime> ParseIsoDateTime(std::string_view text);

} // namespace agendrix
