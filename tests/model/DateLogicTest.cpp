#include "model/DateLogic.h"
#include "model/DateStatus.h"
#include "model/TaskLine.h"
#include "model/TaskStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace agendrix {
namespace {

    // ---- The day-by-day count, written out literally as the reference for the fast one. ----

    // A moment as the loop sees it: a day (days since 1970-01-01) and the time of day.
    struct Moment {
        std::int64_t Days = 0;
        int Seconds = 0;
        auto operator<=>(const Moment&) const = default;
    };

    // Sunday 1, Monday 2, ..., Saturday 7; 1970-01-01 was a Thursday.
    int ReferenceWeekday(std::int64_t days) { return static_cast<int>(((days + 4) % 7 + 7) % 7) + 1; }

    bool Counts(int kind, int w)
    {
        return (kind == 0 && w != 1 && w != 7) || (kind == 1 && (w == 1 || w == 7)) || kind == 2;
    }

    int ReferenceCountedDays(const Moment& now, std::int64_t dueDay, int kind)
    {
        const Moment due { dueDay, 0 }; // midnight at the start of the due date
        Moment start;
        Moment end;
        int step = 0;
        if (now < due) {
            start = now;
            end = due;
            step = +1;
        } else {
            start = due;
            end = now;
            step = -1;
        }
        int c = 0;
        Moment d = start;
        do {
            d.Days += 1; // one day later, at the time of day of start
            const int w = ReferenceWeekday(d.Days);
            if (Counts(kind, w))
                c += step;
        } while (d <= end);
        return c;
    }

    DateTime ToDateTime(const Moment& m) { return DateTime { CivilFromDays(m.Days), m.Seconds }; }

    DateTime At(int year, int month, int day, int hour, int minute = 0, int second = 0)
    {
        return DateTime { CivilDate { year, month, day }, hour * 3600 + minute * 60 + second };
    }

    TEST(DateLogicTest, CountedDaysMatchesTheDayByDayLoopOnRandomMoments)
    {
        std::mt19937_64 rng(0xA6E4D21);
        const std::int64_t base = DaysFromCivil({ 2026, 12, 4 });
        std::uniform_int_distribution<std::int64_t> nowDay(base - 3650, base + 3650);
        std::uniform_int_distribution<std::int64_t> offset(-400, 400);
        std::uniform_int_distribution<int> timeKind(0, 9);
        std::uniform_int_distribution<int> anySecond(0, 86399);
        for (int i = 0; i < 20000; ++i) {
            Moment now { nowDay(rng), 0 };
            switch (timeKind(rng)) {
            case 0:
            case 1:
                break; // exactly midnight
            case 2:
                now.Seconds = 1;
                break;
            case 3:
                now.Seconds = 86399;
                break;
            default:
                now.Seconds = anySecond(rng);
            }
            const std::int64_t due = now.Days + offset(rng);
            for (int kind = 0; kind <= 3; ++kind) {
                const int expected = ReferenceCountedDays(now, due, kind); // kind 3 counts nothing
                ASSERT_EQ(CountedDays(ToDateTime(now), CivilFromDays(due), kind), expected)
                    << "now day " << now.Days << " at " << now.Seconds << " s, due day " << due << ", kind "
                    << kind;
            }
        }
    }

    TEST(DateLogicTest, CountedDaysMatchesTheDayByDayLoopAroundWeekBoundaries)
    {
        // Two whole weeks of "today", every weekday twice, with dues up to three weeks either side.
        const std::int64_t first = DaysFromCivil({ 2026, 11, 28 });
        for (std::int64_t today = first; today < first + 14; ++today) {
            for (const int seconds : { 0, 1, 13 * 3600, 86399 }) {
                for (std::int64_t due = today - 21; due <= today + 21; ++due) {
                    for (int kind = 0; kind <= 3; ++kind) {
                        const Moment now { today, seconds };
                        const int expected = ReferenceCountedDays(now, due, kind); // kind 3 counts nothing
                        ASSERT_EQ(CountedDays(ToDateTime(now), CivilFromDays(due), kind), expected)
                            << "today " << today << " at " << seconds << " s, due " << due << ", kind "
                            << kind;
                    }
                }
            }
        }
    }

    TEST(DateLogicTest, QualifyingDaysMatchesCountingOneByOne)
    {
        for (std::int64_t firstDay = -10; firstDay <= 10; ++firstDay) {
            for (std::int64_t lastDay = firstDay - 3; lastDay <= firstDay + 20; ++lastDay) {
                for (int kind = -1; kind <= 3; ++kind) {
                    std::int64_t expected = 0;
                    for (std::int64_t d = firstDay; d <= lastDay; ++d)
                        expected += Counts(kind, ReferenceWeekday(d)) ? 1 : 0;
                    ASSERT_EQ(QualifyingDays(firstDay, lastDay, kind), expected)
                        << "[" << firstDay << ", " << lastDay << "] kind " << kind;
                }
            }
        }
    }

    TEST(DateLogicTest, CountedDaysWorkedExamples)
    {
        struct Case {
            const char* name;
            DateTime now;
            CivilDate due;
            int kind;
            int counted;
        };
        const CivilDate dec10 { 2026, 12, 10 };
        const Case cases[] = {
            { "sixDaysAhead", At(2026, 12, 4, 13), dec10, 2, 6 },
            { "dueDateAtMidnight", At(2026, 12, 10, 0), dec10, 2, -1 },
            { "dueDateFirstSecond", At(2026, 12, 10, 0, 0, 1), dec10, 2, -1 },
            { "dueDateAfternoon", At(2026, 12, 10, 13), dec10, 2, -1 },
            { "dueDateLastSecond", At(2026, 12, 10, 23, 59, 59), dec10, 2, -1 },
            { "threeDaysPast", At(2026, 12, 13, 13), dec10, 2, -4 },
            { "dayBeforeLastSecond", At(2026, 12, 9, 23, 59, 59), dec10, 2, 1 },
            // A clock at exactly midnight steps onto the due date itself and counts once more.
            { "dayBeforeAtMidnight", At(2026, 12, 9, 0), dec10, 2, 2 },
            { "weekdaysFridayToMonday", At(2026, 12, 4, 13), { 2026, 12, 7 }, 0, 1 },
            { "weekendsFridayToMonday", At(2026, 12, 4, 13), { 2026, 12, 7 }, 1, 2 },
            { "weekdaysDueSundayFromSaturday", At(2026, 12, 5, 13), { 2026, 12, 6 }, 0, 0 },
            { "weekdaysPastOverWeekend", At(2026, 12, 7, 9), { 2026, 12, 4 }, 0, -2 },
            { "clampedFarAhead", At(2026, 12, 4, 13), { 2226, 12, 4 }, 2, 32767 },
            { "clampedFarPast", At(2026, 12, 4, 13), { 1826, 12, 4 }, 2, -32768 },
        };
        for (const Case& c : cases)
            EXPECT_EQ(CountedDays(c.now, c.due, c.kind), c.counted) << c.name;
    }

    TEST(DateLogicTest, DateBasedCode)
    {
        struct Case {
            const char* name;
            std::int64_t counted;
            std::int64_t daysToComplete;
            int daysPerLevel;
            int code;
        };
        const Case cases[] = {
            { "perLevel0CountsAs1", 4, 0, 0, 7 },
            { "negativePerLevelCountsAs1", 4, 0, -5, 7 },
            { "dueDateReached", -1, 3, 2, 1 },
            { "countedZeroIsMissed", 0, 3, 2, 1 },
            { "inWorkingWindow", 2, 3, 2, 2 },
            { "bigJobStillAhead", 1, 30, 1, 2 },
            { "r0", 3, 3, 2, 3 },
            { "r1", 4, 3, 2, 3 },
            { "r5", 8, 3, 2, 5 },
            { "r11", 14, 3, 2, 8 },
            { "r14AtSevenLevels", 17, 3, 2, 8 },
            { "r15BeyondSevenLevels", 18, 3, 2, 8 },
            { "perLevel1r0", 0, 0, 1, 3 },
            { "perLevel1r4", 4, 0, 1, 7 },
            { "perLevel1r5", 5, 0, 1, 8 },
            { "perLevel1r6", 6, 0, 1, 8 },
            { "perLevel1r7", 7, 0, 1, 8 },
            { "perLevel1r8", 8, 0, 1, 8 },
            { "perLevel3r2", 2, 0, 3, 3 },
            { "perLevel3r3", 3, 0, 3, 4 },
            { "perLevel3r8", 8, 0, 3, 5 },
            { "perLevel3r9", 9, 0, 3, 6 },
            { "perLevel3r14", 14, 0, 3, 7 },
            { "perLevel3r15", 15, 0, 3, 8 },
        };
        for (const Case& c : cases)
            EXPECT_EQ(DateBasedCode(c.counted, c.daysToComplete, c.daysPerLevel), c.code) << c.name;
    }

    // ---- AssessDateItems on a whole store. ----

    std::vector<std::string> LinesOf(const TaskStore& store)
    {
        return { store.Lines().begin(), store.Lines().end() };
    }

    std::string DateLine(
        const char* code, const char* description, const char* due, const char* days, const char* kind)
    {
        return std::string(code) + "\t" + description + "\t\t1\t" + due + "\t" + days + "\t" + kind + "\t";
    }

    std::string PlainLine(const char* code, const char* description)
    {
        return std::string(code) + "\t" + description + "\tnotes\t0\t20261201\t1\t0\t";
    }

    std::vector<std::string> StatusTexts(const TaskStore& store)
    {
        std::vector<std::string> texts;
        for (const DateStatus& status : store.DateInfo())
            texts.push_back(StatusText(status, FormatIso));
        return texts;
    }

    TEST(DateLogicTest, AssessRecomputesDateBasedCodesAndSortsAgain)
    {
        TaskStore store;
        store.Load({
            PlainLine("04", "apple"), DateLine("00", "Write report", "20261210", "1", "2"), // c 6, r 5
            DateLine("03", "Old", "20261201", "0", "0"), // Wed, Thu, Fri counted: c -3
            "42\tOdd code\t\t0\t20261201\t1\t0\t",
            DateLine("08", "weekend chores", "20261213", "1", "1"), // Sat, Sun, Sat, Sun: c 4, r 3
            PlainLine("10", "2026/11/30 - filed"),
            PlainLine("01", "smashed"), // broken by hand, not date-based
        });
        const auto revision = store.Revision();
        EXPECT_EQ(AssessDateItems(store, At(2026, 12, 4, 13), 2), Assessment::Recomputed);

        const std::vector<std::string> lines = {
            DateLine("01", "Old", "20261201", "0", "0"),
            PlainLine("01", "smashed"),
            PlainLine("04", "apple"),
            DateLine("04", "weekend chores", "20261213", "1", "1"),
            DateLine("05", "Write report", "20261210", "1", "2"),
            PlainLine("10", "2026/11/30 - filed"),
            "42\tOdd code\t\t0\t20261201\t1\t0\t",
        };
        EXPECT_EQ(LinesOf(store), lines);
        const std::vector<std::string> texts = {
            "Due: 2026-12-01, Start: 3 Weekday Days ago.",
            "Date Based Task Missed",
            "High Priority",
            "Due on: 2026-12-13, Start: 3 Week-end Days",
            "Due on: 2026-12-10, Start: 5 Days",
            "Completed",
            "",
        };
        EXPECT_EQ(StatusTexts(store), texts);
        EXPECT_EQ(store.DateInfo().size(), store.Count());
        EXPECT_EQ(store.Revision(), revision) << "assessing is not an edit";
    }

    TEST(DateLogicTest, AssessWorkedTable)
    {
        // DaysPerLevel 2, three days to complete, every day counts; now is 4 December 13:00.
        struct Case {
            const char* name;
            const char* due;
            const char* code;
            const char* status;
        };
        const Case cases[] = {
            { "fourteenAhead", "20261218", "08", "Due on: 2026-12-18, Start: 11 Days" },
            { "eightAhead", "20261212", "05", "Due on: 2026-12-12, Start: 5 Days" },
            { "fourAhead", "20261208", "03", "Due on: 2026-12-08, Start: 1 Days" },
            { "threeAhead", "20261207", "03", "Due on: 2026-12-07, Start: 0 Days" },
            { "twoAhead", "20261206", "02", "Due: 2026-12-06, Start: 1 Days ago." },
            { "onTheDueDate", "20261204", "01", "Due: 2026-12-04, Start: 4 Days ago." },
        };
        for (const Case& c : cases) {
            TaskStore store;
            store.Add(DateLine("00", "task", c.due, "3", "2"));
            AssessDateItems(store, At(2026, 12, 4, 13), 2);
            EXPECT_EQ(store.Line(0), DateLine(c.code, "task", c.due, "3", "2")) << c.name;
            EXPECT_EQ(StatusTexts(store), std::vector<std::string> { c.status }) << c.name;
        }
    }

    TEST(DateLogicTest, NotAssessedCodeNeverSurvives)
    {
        TaskStore store;
        std::vector<std::string> lines;
        const std::int64_t today = DaysFromCivil({ 2026, 12, 4 });
        for (std::int64_t offset = -40; offset <= 40; ++offset) {
            const std::string due = FormatYyyymmdd(CivilFromDays(today + offset));
            for (const char* kind : { "0", "1", "2", "3" })
                lines.push_back(DateLine("00", "t", due.c_str(), "2", kind));
        }
        // Due dates that cannot be read show as missed.
        for (const char* bad : { "2026131", "abcdefgh", "", "20261332", "2026-12-10" })
            lines.push_back(DateLine("00", "unreadable", bad, "1", "2"));
        lines.push_back("00\ttruncated\t\t1");
        // A code field of one digit is replaced whole; the Tab after it stays.
        lines.push_back("5\tone digit\t\t1\t20261204\t0\t2\t");
        store.Load(lines);

        AssessDateItems(store, At(2026, 12, 4, 0), 1);
        ASSERT_EQ(store.Count(), lines.size());
        ASSERT_EQ(store.DateInfo().size(), store.Count());
        for (std::size_t i = 0; i < store.Count(); ++i) {
            const auto code = PriorityCode(store.Line(i));
            ASSERT_TRUE(code.has_value()) << store.Line(i);
            EXPECT_GE(*code, CodeBroken) << store.Line(i);
            EXPECT_LE(*code, CodeLow) << store.Line(i);
            if (GetField(store.Line(i), TaskField::Description) == "unreadable"
                || GetField(store.Line(i), TaskField::Description) == "truncated") {
                EXPECT_EQ(*code, CodeBroken) << store.Line(i);
                EXPECT_EQ(StatusText(store.DateInfo()[i], FormatIso), "Date Based Task Missed")
                    << store.Line(i);
            }
        }
        EXPECT_EQ(LinesOf(store).front(), "01\tone digit\t\t1\t20261204\t0\t2\t");
        const std::vector<std::string> sorted = LinesOf(store);
        EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
            [](const std::string& a, const std::string& b) { return TaskLineLess(a, b); }));
    }

    TEST(DateLogicTest, DayKindOutsideTheTableCountsNothing)
    {
        TaskStore store;
        store.Add(DateLine("00", "no days", "20261210", "0", "7"));
        store.Add(DateLine("00", "one day needed", "20261210", "1", "7"));
        AssessDateItems(store, At(2026, 12, 4, 13), 1);
        EXPECT_EQ(LinesOf(store),
            (std::vector<std::string> { DateLine("01", "one day needed", "20261210", "1", "7"),
                DateLine("03", "no days", "20261210", "0", "7") }));
        EXPECT_EQ(StatusTexts(store),
            (std::vector<std::string> {
                "Due: 2026-12-10, Start: 1  ago.", "Due on: 2026-12-10, Start: 0 " }));
    }

    TEST(DateLogicTest, ListWithoutDateBasedTasksKeepsItsOrderAndCodes)
    {
        TaskStore store;
        store.Load({ PlainLine("09", "zeta"), PlainLine("02", "Alpha"), PlainLine("10", "done"),
            PlainLine("02", "alpha"), PlainLine("06", "mid"), PlainLine("00", "never assessed") });
        const std::vector<std::string> before = LinesOf(store);
        EXPECT_EQ(AssessDateItems(store, At(2026, 12, 4, 13), 3), Assessment::Recomputed);
        EXPECT_EQ(LinesOf(store), before);
        EXPECT_EQ(StatusTexts(store),
            (std::vector<std::string> { "", "Extreme Priority", "Extreme Priority", "Medium Priority",
                "Unprioritized", "Completed" }));
    }

    // The lines and status texts a store gets from a first assessment with these inputs.
    std::pair<std::vector<std::string>, std::vector<std::string>> Fresh(
        const TaskStore& store, const DateTime& now, int daysPerLevel)
    {
        TaskStore fresh;
        fresh.Load(LinesOf(store));
        AssessDateItems(fresh, now, daysPerLevel);
        return { LinesOf(fresh), StatusTexts(fresh) };
    }

    TEST(DateLogicTest, AssessRunsAgainOnlyWhenAnInputChanged)
    {
        TaskStore store;
        store.Add(DateLine("00", "due Tuesday", "20261208", "0", "2"));
        store.Add(DateLine("00", "due Friday", "20261211", "2", "0"));
        store.Add(PlainLine("05", "plain"));

        struct Step {
            const char* name;
            DateTime now;
            int daysPerLevel;
            void (*edit)(TaskStore&);
            Assessment expected;
        };
        const Step steps[] = {
            { "first", At(2026, 12, 4, 13), 1, nullptr, Assessment::Recomputed },
            { "sameInputs", At(2026, 12, 4, 13), 1, nullptr, Assessment::Unchanged },
            { "laterSameDay", At(2026, 12, 4, 23, 59, 59), 1, nullptr, Assessment::Unchanged },
            { "afterAdd", At(2026, 12, 4, 23, 59, 59), 1,
                [](TaskStore& s) { s.Add(DateLine("00", "new", "20261206", "0", "1")); },
                Assessment::Recomputed },
            { "afterAddAgain", At(2026, 12, 4, 23, 59, 59), 1, nullptr, Assessment::Unchanged },
            { "nextDayMidnight", At(2026, 12, 5, 0), 1, nullptr, Assessment::Recomputed },
            { "stillMidnight", At(2026, 12, 5, 0), 1, nullptr, Assessment::Unchanged },
            { "oneSecondPastMidnight", At(2026, 12, 5, 0, 0, 1), 1, nullptr, Assessment::Recomputed },
            { "backToMidnight", At(2026, 12, 5, 0), 1, nullptr, Assessment::Recomputed },
            { "daysPerLevelChanged", At(2026, 12, 5, 0), 2, nullptr, Assessment::Recomputed },
            { "afterRemove", At(2026, 12, 5, 0), 2, [](TaskStore& s) { s.Remove(s.Count() - 1); },
                Assessment::Recomputed },
            { "afterReplace", At(2026, 12, 5, 0), 2,
                [](TaskStore& s) { s.Replace(0, DateLine("00", "moved", "20261230", "1", "2")); },
                Assessment::Recomputed },
            { "nextDay", At(2026, 12, 6, 8), 2, nullptr, Assessment::Recomputed },
            { "settled", At(2026, 12, 6, 9), 2, nullptr, Assessment::Unchanged },
        };
        for (const Step& step : steps) {
            if (step.edit != nullptr)
                step.edit(store);
            const auto expected = Fresh(store, step.now, step.daysPerLevel);
            const auto revision = store.Revision();
            EXPECT_EQ(AssessDateItems(store, step.now, step.daysPerLevel), step.expected) << step.name;
            EXPECT_EQ(store.Revision(), revision) << step.name;
            EXPECT_EQ(LinesOf(store), expected.first) << step.name;
            EXPECT_EQ(StatusTexts(store), expected.second) << step.name;
        }
    }

    TEST(DateLogicTest, MidnightChangesTheCode)
    {
        // Due 8 December, nothing to do beforehand, every day counts, one level per day.
        TaskStore store;
        store.Add(DateLine("00", "t", "20261208", "0", "2"));
        AssessDateItems(store, At(2026, 12, 5, 0, 0, 1), 1); // counts 6, 7, 8
        EXPECT_EQ(store.Line(0).substr(0, 2), "06");
        AssessDateItems(store, At(2026, 12, 5, 0), 1); // counts 6, 7, 8, 9
        EXPECT_EQ(store.Line(0).substr(0, 2), "07");
    }

    TEST(DateLogicTest, StatusEntriesFollowTheirLinesBetweenAssessments)
    {
        TaskStore store;
        store.Load({ PlainLine("02", "a"), PlainLine("06", "c"), DateLine("00", "d", "20261210", "1", "2") });
        AssessDateItems(store, At(2026, 12, 4, 13), 2);
        // The date-based line moves from the head ("00") to its code "05", between the other two.
        ASSERT_EQ(StatusTexts(store),
            (std::vector<std::string> {
                "Extreme Priority", "Due on: 2026-12-10, Start: 5 Days", "Medium Priority" }));

        EXPECT_EQ(store.Add(PlainLine("04", "b")), 1u);
        EXPECT_EQ(StatusTexts(store),
            (std::vector<std::string> {
                "Extreme Priority", "", "Due on: 2026-12-10, Start: 5 Days", "Medium Priority" }));
        store.Remove(0);
        EXPECT_EQ(StatusTexts(store),
            (std::vector<std::string> { "", "Due on: 2026-12-10, Start: 5 Days", "Medium Priority" }));
    }

} // namespace
} // namespace agendrix
