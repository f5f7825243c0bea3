#include "model/CivilDate.h"

#include "ModelTest.h"

#include <cstdint>

namespace agendrix {
namespace {

    // The calendar rules written out plainly, independent of the era arithmetic under test.
    int MonthLength(int year, int month)
    {
        static constexpr int lengths[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return month == 2 && leap ? 29 : lengths[month - 1];
    }

    CivilDate NextDay(CivilDate d)
    {
        if (++d.Day > MonthLength(d.Year, d.Month)) {
            d.Day = 1;
            if (++d.Month > 12) {
                d.Month = 1;
                ++d.Year;
            }
        }
        return d;
    }

    CivilDate PreviousDay(CivilDate d)
    {
        if (--d.Day < 1) {
            if (--d.Month < 1) {
                d.Month = 12;
                --d.Year;
            }
            d.Day = MonthLength(d.Year, d.Month);
        }
        return d;
    }

    TEST(CivilDateTest, DayNumbersWalkTheCalendarBothWays)
    {
        // From 1970-01-01 (day 0) forward to 2500 and back to 1500, across every leap-year rule
        // (1600 and 2000 leap, 1700, 1800, 1900 and 2100 not) and through negative day numbers.
        for (const int step : { +1, -1 }) {
            CivilDate date { 1970, 1, 1 };
            for (std::int64_t days = 0; date.Year < 2500 && date.Year >= 1500; days += step) {
                ASSERT_EQ(CivilFromDays(days), date) << "day " << days;
                ASSERT_EQ(DaysFromCivil(date), days);
                date = step > 0 ? NextDay(date) : PreviousDay(date);
            }
        }
        for (std::int64_t days = -100'000'000; days <= 100'000'000; days += 9'973) {
            const CivilDate date = CivilFromDays(days);
            ASSERT_TRUE(IsValidDate(date)) << days;
            ASSERT_EQ(DaysFromCivil(date), days);
        }
        EXPECT_EQ(CivilFromDays(-719468), (CivilDate { 0, 3, 1 }));
    }

    TEST(CivilDateTest, WeekdayNumbersRunFromSundayToSaturday)
    {
        const std::tuple<const char*, CivilDate, int> cases[] = {
            { "fourHundredYearsBefore2000", { 1600, 1, 1 }, 7 },
            { "beforeEpochSaturday", { 1969, 12, 27 }, 7 },
            { "beforeEpochSunday", { 1969, 12, 28 }, 1 },
            { "epochThursday", { 1970, 1, 1 }, 5 },
            { "leapDayTuesday", { 2000, 2, 29 }, 3 },
            { "friday", { 2026, 12, 4 }, 6 },
        };
        for (const auto& [name, date, weekday] : cases)
            EXPECT_EQ(WeekdayNumber(DaysFromCivil(date)), weekday) << name;
        for (std::int64_t days = -800; days <= 800; ++days)
            ASSERT_EQ(WeekdayNumber(days + 1), WeekdayNumber(days) % 7 + 1) << days;
    }

    TEST(CivilDateTest, ParseAndFormatYyyymmdd)
    {
        const std::tuple<const char*, const char*, std::optional<CivilDate>> cases[] = {
            { "empty", "", std::nullopt },
            { "tooShort", "2026120", std::nullopt },
            { "tooLong", "202612045", std::nullopt },
            { "letter", "2026120a", std::nullopt },
            { "sign", "+2026120", std::nullopt },
            { "month0", "20260001", std::nullopt },
            { "month13", "20261301", std::nullopt },
            { "day0", "20261200", std::nullopt },
            { "day32", "20261232", std::nullopt },
            { "february30", "20260230", std::nullopt },
            { "noLeapDay2025", "20250229", std::nullopt },
            { "noLeapDay1900", "19000229", std::nullopt },
            { "leapDay2000", "20000229", CivilDate { 2000, 2, 29 } },
            { "leapDay2024", "20240229", CivilDate { 2024, 2, 29 } },
            { "ordinary", "20261204", CivilDate { 2026, 12, 4 } },
            { "yearZeroPadded", "00010101", CivilDate { 1, 1, 1 } },
        };
        for (const auto& [name, text, date] : cases)
            EXPECT_EQ(ParseYyyymmdd(text), date) << name;

        EXPECT_EQ(FormatYyyymmdd({ 2026, 1, 4 }), "20260104");
        EXPECT_EQ(FormatSlashed({ 2026, 1, 4 }), "2026/01/04");
        EXPECT_EQ(FormatIso({ 987, 12, 31 }), "0987-12-31");
    }

    TEST(CivilDateTest, ParseIsoDateTime)
    {
        const CivilDate day { 2026, 12, 4 };
        const std::tuple<const char*, const char*, std::optional<DateTime>> cases[] = {
            { "empty", "", std::nullopt },
            { "slashes", "2026/12/04", std::nullopt },
            { "unpaddedDay", "2026-12-4", std::nullopt },
            { "noSuchDay", "2026-02-30", std::nullopt },
            { "blankForT", "2026-12-04 12:00", std::nullopt },
            { "noColon", "2026-12-04T1200", std::nullopt },
            { "hour24", "2026-12-04T24:00", std::nullopt },
            { "minute60", "2026-12-04T12:60", std::nullopt },
            { "second60", "2026-12-04T12:00:60", std::nullopt },
            { "oneDigitSecond", "2026-12-04T12:00:0", std::nullopt },
            { "wrongSecondSeparator", "2026-12-04T12:00.30", std::nullopt },
            { "letterInHour", "2026-12-04Tx2:00", std::nullopt },
            { "dateAloneIsNoon", "2026-12-04", DateTime { day, 12 * 3600 } },
            { "hoursMinutes", "2026-12-04T13:05", DateTime { day, 13 * 3600 + 5 * 60 } },
            { "withSeconds", "2026-12-04T13:05:09", DateTime { day, 13 * 3600 + 5 * 60 + 9 } },
            { "midnight", "2026-12-04T00:00", DateTime { day, 0 } },
            { "lastSecond", "2026-12-04T23:59:59", DateTime { day, 86399 } },
        };
        for (const auto& [name, text, result] : cases)
            EXPECT_EQ(ParseIsoDateTime(text), result) << name;
    }

} // namespace
} // namespace agendrix
