#include "model/DateLogic.h"
#include "model/DateStatus.h"

#include "ModelTest.h"

#include <cstdint>
#include <random>

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
        const int step = now < due ? +1 : -1;
        const Moment end = now < due ? due : now;
        int c = 0;
        Moment d = now < due ? now : due;
        do {
            d.Days += 1; // one day later, at the time of day of the start
            if (Counts(kind, ReferenceWeekday(d.Days)))
                c += step;
        } while (d <= end);
        return c;
    }

    DateTime At(int year, int month, int day, int hour, int minute = 0, int second = 0)
    {
        return DateTime { CivilDate { year, month, day }, hour * 3600 + minute * 60 + second };
    }

    ::testing::AssertionResult MatchesReference(const Moment& now, std::int64_t due)
    {
        for (int kind = 0; kind <= 3; ++kind) { // kind 3 counts nothing
            const int expected = ReferenceCountedDays(now, due, kind);
            const int counted
                = CountedDays(DateTime { CivilFromDays(now.Days), now.Seconds }, CivilFromDays(due), kind);
            if (counted != expected)
                return ::testing::AssertionFailure()
                    << "now day " << now.Days << " at " << now.Seconds << " s, due day " << due << ", kind "
                    << kind << ": " << counted << " != " << expected;
        }
        return ::testing::AssertionSuccess();
    }

    TEST(DateLogicTest, CountedDaysMatchesTheDayByDayLoop)
    {
        // Two whole weeks of "today", every weekday twice, at midnight, just after it, midday and
        // just before the next, with due dates up to three weeks either side.
        const std::int64_t first = DaysFromCivil({ 2026, 11, 28 });
        for (std::int64_t today = first; today < first + 14; ++today) {
            for (const int seconds : { 0, 1, 13 * 3600, 86399 }) {
                for (std::int64_t due = today - 21; due <= today + 21; ++due)
                    ASSERT_TRUE(MatchesReference({ today, seconds }, due));
            }
        }
        // Random moments ten years either side, a fifth of them at exactly midnight.
        std::mt19937_64 rng(0xA6E4D21);
        std::uniform_int_distribution<std::int64_t> nowDay(first - 3650, first + 3650);
        std::uniform_int_distribution<std::int64_t> offset(-400, 400);
        std::uniform_int_distribution<int> anySecond(-20000, 86399);
        for (int i = 0; i < 5000; ++i) {
            const Moment now { nowDay(rng), std::max(anySecond(rng), 0) };
            ASSERT_TRUE(MatchesReference(now, now.Days + offset(rng)));
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
        const CivilDate dec10 { 2026, 12, 10 };
        const std::tuple<const char*, DateTime, CivilDate, int, int> cases[] = {
            { "clampedFarPast", At(2026, 12, 4, 13), { 1826, 12, 4 }, 2, -32768 },
            { "threeDaysPast", At(2026, 12, 13, 13), dec10, 2, -4 },
            { "weekdaysPastOverWeekend", At(2026, 12, 7, 9), { 2026, 12, 4 }, 0, -2 },
            { "dueDateAtMidnight", At(2026, 12, 10, 0), dec10, 2, -1 },
            { "dueDateFirstSecond", At(2026, 12, 10, 0, 0, 1), dec10, 2, -1 },
            { "dueDateLastSecond", At(2026, 12, 10, 23, 59, 59), dec10, 2, -1 },
            { "weekdaysDueSundayFromSaturday", At(2026, 12, 5, 13), { 2026, 12, 6 }, 0, 0 },
            { "dayBeforeLastSecond", At(2026, 12, 9, 23, 59, 59), dec10, 2, 1 },
            // A clock at exactly midnight steps onto the due date itself and counts once more.
            { "dayBeforeAtMidnight", At(2026, 12, 9, 0), dec10, 2, 2 },
            { "weekdaysFridayToMonday", At(2026, 12, 4, 13), { 2026, 12, 7 }, 0, 1 },
            { "weekendsFridayToMonday", At(2026, 12, 4, 13), { 2026, 12, 7 }, 1, 2 },
            { "sixDaysAhead", At(2026, 12, 4, 13), dec10, 2, 6 },
            { "clampedFarAhead", At(2026, 12, 4, 13), { 2226, 12, 4 }, 2, 32767 },
        };
        for (const auto& [name, now, due, kind, counted] : cases)
            EXPECT_EQ(CountedDays(now, due, kind), counted) << name;
    }

    TEST(DateLogicTest, DateBasedCode)
    {
        // Counted days c, days to complete N and days per level; r = c - N.
        const std::tuple<const char*, std::int64_t, std::int64_t, int, int> cases[] = {
            { "perLevel0CountsAs1", 4, 0, 0, 7 },
            { "negativePerLevelCountsAs1", 4, 0, -5, 7 },
            { "dueDateReached", -1, 3, 2, 1 },
            { "countedZeroIsMissed", 0, 3, 2, 1 },
            { "inWorkingWindow", 2, 3, 2, 2 },
            { "bigJobStillAhead", 1, 30, 1, 2 },
            { "r0", 3, 3, 2, 3 },
            { "r1", 4, 3, 2, 3 },
            { "r5", 8, 3, 2, 5 },
            { "r14AtSevenLevels", 17, 3, 2, 8 },
            { "r15BeyondSevenLevels", 18, 3, 2, 8 },
            { "perLevel1r4", 4, 0, 1, 7 },
            { "perLevel1r5", 5, 0, 1, 8 },
            { "perLevel3r2", 2, 0, 3, 3 },
            { "perLevel3r3", 3, 0, 3, 4 },
            { "perLevel3r14", 14, 0, 3, 7 },
            { "perLevel3r15", 15, 0, 3, 8 },
        };
        for (const auto& [name, counted, daysToComplete, daysPerLevel, code] : cases)
            EXPECT_EQ(DateBasedCode(counted, daysToComplete, daysPerLevel), code) << name;
    }

    // ---- AssessDateItems on a whole store. ----

    std::string DateLine(
        const char* code, const char* what, const char* due, const char* days, const char* kind)
    {
        return std::string(code) + "\t" + what + "\t\t1\t" + due + "\t" + days + "\t" + kind + "\t";
    }

    std::string PlainLine(const char* code, const char* what)
    {
        return std::string(code) + "\t" + what + "\tnotes\t0\t20261201\t1\t0\t";
    }

    std::vector<std::string> StatusTexts(const TaskStore& store)
    {
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < store.Count(); ++i)
            texts.push_back(StatusText(StatusAt(store, i), FormatIso));
        return texts;
    }

    TEST(DateLogicTest, AssessRecomputesDateBasedCodesAndSortsAgain)
    {
        TaskStore store;
        store.Load({
            "42\tOdd code\t\t0\t20261201\t1\t0\t",
            "00\tunreadable\t\t1", // date-based without a date: shows as missed
            "5\tone digit\t\t1\t20261204\t0\t2\t", // a short code field is replaced whole
            PlainLine("00", "never assessed"), // not date-based: keeps its code and shows nothing
            PlainLine("01", "smashed"), // broken by hand, not date-based
            PlainLine("04", "apple"),
            DateLine("00", "Write report", "20261210", "1", "2"), // c 6, r 5
            DateLine("03", "Old", "20261201", "0", "0"), // Wed, Thu, Fri counted: c -3
            DateLine("08", "weekend chores", "20261213", "1", "1"), // Sat, Sun, Sat, Sun: c 4, r 3
            DateLine("00", "no days", "20261210", "0", "7"), // a kind without days counts none
            DateLine("00", "one day needed", "20261210", "1", "7"),
            PlainLine("10", "2026/11/30 - filed"),
        });
        const auto revision = store.Revision();
        EXPECT_EQ(AssessDateItems(store, At(2026, 12, 4, 13), 2), Assessment::Recomputed);

        const std::vector<std::pair<std::string, std::string>> expected = {
            { PlainLine("00", "never assessed"), "" },
            { DateLine("01", "Old", "20261201", "0", "0"), "Due: 2026-12-01, Start: 3 Weekday Days ago." },
            { DateLine("01", "one day needed", "20261210", "1", "7"), "Due: 2026-12-10, Start: 1  ago." },
            { "01\tone digit\t\t1\t20261204\t0\t2\t", "Due: 2026-12-04, Start: 1 Days ago." },
            { PlainLine("01", "smashed"), "Date Based Task Missed" },
            { "01\tunreadable\t\t1", "Date Based Task Missed" },
            { DateLine("03", "no days", "20261210", "0", "7"), "Due on: 2026-12-10, Start: 0 " },
            { PlainLine("04", "apple"), "High Priority" },
            { DateLine("04", "weekend chores", "20261213", "1", "1"),
                "Due on: 2026-12-13, Start: 3 Week-end Days" },
            { DateLine("05", "Write report", "20261210", "1", "2"), "Due on: 2026-12-10, Start: 5 Days" },
            { PlainLine("10", "2026/11/30 - filed"), "Completed" },
            { "42\tOdd code\t\t0\t20261201\t1\t0\t", "" },
        };
        const std::vector<std::string> texts = StatusTexts(store);
        std::vector<std::pair<std::string, std::string>> actual;
        for (std::size_t i = 0; i < store.Count() && i < texts.size(); ++i)
            actual.emplace_back(store.Line(i), texts[i]);
        EXPECT_EQ(actual, expected);
        EXPECT_EQ(store.Revision(), revision) << "assessing is not an edit";
    }

    TEST(DateLogicTest, AssessWorkedTable)
    {
        // DaysPerLevel 2, three days to complete, every day counts.
        const DateTime dec4 = At(2026, 12, 4, 13);
        const std::string missed = "Date Based Task Missed";
        const std::tuple<const char*, DateTime, const char*, const char*, std::string> cases[] = {
            { "dueSevenDigits", dec4, "2026131", "01", missed },
            { "dueLetters", dec4, "abcdefgh", "01", missed },
            { "dueEmpty", dec4, "", "01", missed },
            { "dueMonth13", dec4, "20261332", "01", missed },
            { "dueWithDashes", dec4, "2026-12-10", "01", missed },
            { "onTheDueDate", dec4, "20261204", "01", "Due: 2026-12-04, Start: 4 Days ago." },
            { "twoAhead", dec4, "20261206", "02", "Due: 2026-12-06, Start: 1 Days ago." },
            { "threeAhead", dec4, "20261207", "03", "Due on: 2026-12-07, Start: 0 Days" },
            { "fourAhead", dec4, "20261208", "03", "Due on: 2026-12-08, Start: 1 Days" },
            { "eightAhead", dec4, "20261212", "05", "Due on: 2026-12-12, Start: 5 Days" },
            { "fourteenAhead", dec4, "20261218", "08", "Due on: 2026-12-18, Start: 11 Days" },
            { "justAfterMidnight", At(2026, 12, 5, 0, 0, 1), "20261209", "03",
                "Due on: 2026-12-09, Start: 1 Days" },
            { "atMidnight", At(2026, 12, 5, 0), "20261209", "04", "Due on: 2026-12-09, Start: 2 Days" },
        };
        for (const auto& [name, now, due, code, status] : cases) {
            TaskStore store;
            store.Add(DateLine("00", "task", due, "3", "2"));
            AssessDateItems(store, now, 2);
            EXPECT_EQ(store.Line(0), DateLine(code, "task", due, "3", "2")) << name;
            EXPECT_EQ(StatusTexts(store), std::vector { status }) << name;
        }
    }

    TEST(DateLogicTest, AssessGivesEveryLineTheCodeOfTheDayByDayCount)
    {
        std::vector<std::string> lines; // due dates 40 days either side, of every kind
        const std::int64_t today = DaysFromCivil({ 2026, 12, 4 });
        for (std::int64_t day = today - 40; day <= today + 40; ++day) {
            for (const char* kind : { "0", "1", "2", "3" })
                lines.push_back(DateLine("00", "t", FormatYyyymmdd(CivilFromDays(day)).c_str(), "2", kind));
        }
        for (const int seconds : { 0, 13 * 3600 }) {
            TaskStore store;
            store.Load(lines);
            AssessDateItems(store, DateTime { CivilFromDays(today), seconds }, 3);
            ASSERT_EQ(store.Count(), lines.size());
            for (std::size_t i = 0; i < store.Count(); ++i) {
                const std::string_view line = store.Line(i);
                const std::int64_t due = DaysFromCivil(*ParseYyyymmdd(GetField(line, TaskField::Date)));
                const int kind = static_cast<int>(LeadingNumber(GetField(line, TaskField::DayKind)));
                const int code = DateBasedCode(ReferenceCountedDays({ today, seconds }, due, kind), 2, 3);
                EXPECT_EQ(PriorityCode(line), code) << line << " at " << seconds << " s";
                EXPECT_EQ(StatusAt(store, i).Code, code) << line << " at " << seconds << " s";
            }
            EXPECT_TRUE(std::is_sorted(store.Lines().begin(), store.Lines().end(), TaskLineLess));
        }
    }

    TEST(DateLogicTest, AssessRunsAgainOnlyWhenAnInputChanged)
    {
        TaskStore store;
        store.Add(DateLine("00", "due Tuesday", "20261208", "0", "2"));
        store.Add(DateLine("00", "due Friday", "20261211", "2", "0"));
        store.Add(PlainLine("05", "plain"));

        using Edit = void (*)(TaskStore&);
        const Edit none = [](TaskStore&) {};
        const Edit add = [](TaskStore& s) { s.Add(DateLine("00", "new", "20261206", "0", "1")); };
        const Edit remove = [](TaskStore& s) { s.Remove(s.Count() - 1); };
        const Edit replace
            = [](TaskStore& s) { s.Replace(0, DateLine("00", "moved", "20261230", "1", "2")); };
        const Edit clear = [](TaskStore& s) { s.Clear(); };
        const auto again = Assessment::Recomputed;
        const auto skipped = Assessment::Unchanged;
        const std::tuple<const char*, DateTime, int, Edit, Assessment> steps[] = {
            { "first", At(2026, 12, 4, 13), 1, none, again },
            { "sameInputs", At(2026, 12, 4, 13), 1, none, skipped },
            { "laterSameDay", At(2026, 12, 4, 23, 59, 59), 1, none, skipped },
            { "afterAdd", At(2026, 12, 4, 23, 59, 59), 1, add, again },
            { "afterAddAgain", At(2026, 12, 4, 23, 59, 59), 1, none, skipped },
            { "nextDayMidnight", At(2026, 12, 5, 0), 1, none, again },
            { "stillMidnight", At(2026, 12, 5, 0), 1, none, skipped },
            { "oneSecondPastMidnight", At(2026, 12, 5, 0, 0, 1), 1, none, again },
            { "backToMidnight", At(2026, 12, 5, 0), 1, none, again },
            { "daysPerLevelChanged", At(2026, 12, 5, 0), 2, none, again },
            { "daysPerLevel0CountsAs1", At(2026, 12, 5, 0), 0, none, again },
            { "daysPerLevel1SameAs0", At(2026, 12, 5, 0), 1, none, skipped },
            { "afterRemove", At(2026, 12, 5, 0), 1, remove, again },
            { "afterReplace", At(2026, 12, 5, 0), 1, replace, again },
            { "nextDay", At(2026, 12, 6, 8), 1, none, again },
            { "settled", At(2026, 12, 6, 9), 1, none, skipped },
            { "afterClear", At(2026, 12, 6, 9), 1, clear, again },
        };
        for (const auto& [name, now, daysPerLevel, edit, expected] : steps) {
            edit(store);
            TaskStore fresh; // what a first assessment with these inputs gives
            fresh.Load(LinesOf(store));
            AssessDateItems(fresh, now, daysPerLevel);
            const auto revision = store.Revision();
            EXPECT_EQ(AssessDateItems(store, now, daysPerLevel), expected) << name;
            EXPECT_EQ(store.Revision(), revision) << name;
            EXPECT_EQ(LinesOf(store), LinesOf(fresh)) << name;
            EXPECT_EQ(StatusTexts(store), StatusTexts(fresh)) << name;
        }
    }

    TEST(DateLogicTest, StatusesFollowTheirLinesBetweenAssessments)
    {
        // A status is worked out from its line when it is read: an added line has its own at
        // once, and a loaded or cleared list has none until it is assessed.
        TaskStore store;
        const std::string due = "Due on: 2026-12-10, Start: 5 Days";
        const std::vector<std::string> lines
            = { PlainLine("02", "a"), PlainLine("06", "c"), DateLine("00", "d", "20261210", "1", "2") };
        using Edit = std::function<void()>;
        const std::tuple<const char*, Edit, std::vector<std::string>> steps[] = {
            { "loaded", [&] { store.Load(lines); }, { "", "", "" } },
            // The date-based line moves from "00" to "05".
            { "assessed", [&] { AssessDateItems(store, At(2026, 12, 4, 13), 2); },
                { "Extreme Priority", due, "Medium Priority" } },
            { "added", [&] { store.Add(PlainLine("04", "b")); },
                { "Extreme Priority", "High Priority", due, "Medium Priority" } },
            { "removed", [&] { store.Remove(0); }, { "High Priority", due, "Medium Priority" } },
            { "replaced", [&] { store.Replace(1, DateLine("00", "e", "20261205", "1", "2")); },
                { "Due on: 2026-12-05, Start: 0 Days", "High Priority", "Medium Priority" } },
            { "cleared", [&] { store.Clear(); }, {} },
            { "addedToCleared", [&] { store.Add(PlainLine("04", "b")); }, { "" } },
            { "reloaded", [&] { store.Load(lines); }, { "", "", "" } },
        };
        for (const auto& [name, edit, expected] : steps) {
            edit();
            EXPECT_EQ(StatusTexts(store), expected) << name;
        }
    }

} // namespace
} // namespace agendrix
