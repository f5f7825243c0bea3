#include "CivilDate.h"

#include <cstdio>

namespace agendrix {

// The days/civil conversions are the well-known era-based algorithms: exact for every date and
// free of loops, so a due date centuries away costs the same as one tomorrow.
std::int64_t DaysFromCivil(const CivilDate& date)
{
    const std::int64_t month = date.Month;
    const std::int64_t year = static_cast<std::int64_t>(date.Year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + date.Day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate CivilFromDays(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return CivilDate { static_cast<int>(year), static_cast<int>(month), static_cast<int>(day) };
}

bool IsValidDate(const CivilDate& date)
{
    if (date.Month < 1 || date.Month > 12 || date.Day < 1)
        return false;
    static constexpr int lengths[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    const bool leap = (date.Year % 4 == 0 && date.Year % 100 != 0) || date.Year % 400 == 0;
    const int length = date.Month == 2 && leap ? 29 : lengths[date.Month - 1];
    return date.Day <= length;
}

CivilDate AddDays(const CivilDate& date, std::int64_t days)
{
    return CivilFromDays(DaysFromCivil(date) + days);
}

int WeekdayNumber(std::int64_t daysSinceEpoch)
{
    // 1970-01-01 was a Thursday, number 5.
    const std::int64_t fromSunday = ((daysSinceEpoch + 4) % 7 + 7) % 7;
    return static_cast<int>(fromSunday) + 1;
}

namespace {
    std::optional<int> Digits(std::string_view text)
    {
        int value = 0;
        for (const char c : text) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + (c - '0');
        }
        return value;
    }
} // namespace

std::optional<CivilDate> ParseYyyymmdd(std::string_view text)
{
    if (text.size() != 8)
        return std::nullopt;
    const auto year = Digits(text.substr(0, 4));
    const auto month = Digits(text.substr(4, 2));
    const auto day = Digits(text.substr(6, 2));
    if (!year || !month || !day)
        return std::nullopt;
    const CivilDate date { *year, *month, *day };
    if (!IsValidDate(date))
        return std::nullopt;
    return date;
}

namespace {
    std::string FormatDate(const CivilDate& date, const char* pattern)
    {
        char buffer[48];
        std::snprintf(buffer, sizeof buffer, pattern, date.Year, date.Month, date.Day);
        return buffer;
    }
} // namespace

std::string FormatYyyymmdd(const CivilDate& date) { return FormatDate(date, "%04d%02d%02d"); }
std::string FormatSlashed(const CivilDate& date) { return FormatDate(date, "%04d/%02d/%02d"); }
std::string FormatIso(const CivilDate& date) { return FormatDate(date, "%04d-%02d-%02d"); }

std::optional<DateTime> ParseIsoDateTime(std::string_view text)
{
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = Digits(text.substr(0, 4));
    const auto month = Digits(text.substr(5, 2));
    const auto day = Digits(text.substr(8, 2));
    if (!year || !month || !day)
        return std::nullopt;
    DateTime result { CivilDate { *year, *month, *day }, 12 * 3600 };
    if (!IsValidDate(result.Date))
        return std::nullopt;
    const std::string_view time = text.substr(10);
    if (time.empty())
        return result;
    if ((time.size() != 6 && time.size() != 9) || time[0] != 'T' || time[3] != ':')
        return std::nullopt;
    const auto hours = Digits(time.substr(1, 2));
    const auto minutes = Digits(time.substr(4, 2));
    std::optional<int> seconds = 0;
    if (time.size() == 9)
        seconds = time[6] == ':' ? Digits(time.substr(7, 2)) : std::nullopt;
    if (!hours || !minutes || !seconds || *hours > 23 || *minutes > 59 || *seconds > 59)
        return std::nullopt;
    result.SecondsOfDay = *hours * 3600 + *minutes * 60 + *seconds;
    return result;
}

} // namespace agendrix
