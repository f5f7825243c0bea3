// The memory a list takes, from reading its file to writing it back, measured by what the
// program asks of operator new (HeapCounter.cpp): under 3 times the file's size, whatever the
// lines are like.

#include "HeapCounter.h"

#include "model/DateLogic.h"
#include "model/ListFile.h"

#include "../ModelTest.h"

namespace agendrix {
namespace {

    const DateTime Now { { 2026, 12, 6 }, 12 * 3600 };

    // A file of `count` lines made by `line(i)` after `head`, each ended by `end`.
    template <typename MakeLine>
    std::string FileOf(std::string head, std::size_t count, MakeLine line, std::string_view end = "\r\n")
    {
        std::string bytes = std::move(head);
        for (std::size_t i = 0; i < count; ++i) {
            bytes += line(i);
            bytes += end;
        }
        return bytes;
    }

    std::string DateBasedLine(std::size_t i)
    {
        const CivilDate due = CivilFromDays(DaysFromCivil(Now.Date) - 30 + static_cast<std::int64_t>(i % 90));
        return "00\tTask " + std::to_string(i) + "\t\t1\t" + FormatYyyymmdd(due) + "\t2\t"
            + std::to_string(i % 3) + "\t";
    }

    std::string TypicalLine(std::size_t i)
    {
        return TwoDigitCode(static_cast<int>(1 + i % 10)) + "\tCheck item "
            + std::to_string(i * 7919 % 100000) + " of the list\tsee notes\xB6then file\t0\t20261210\t1\t2\t";
    }

    // What the commands do with a list: read and assess it, show every status, add a task and
    // save. Returns the most memory taken at once, and the tasks the list had.
    std::pair<std::size_t, std::size_t> PeakOfAWholeRun(const std::string& path)
    {
        test::ResetHeapPeak();
        const std::size_t before = test::HeapInUse();
        std::size_t count = 0;
        {
            ListDocument document { path, false, {} };
            RecentLists recent;
            test::ScriptedPrompts user;
            GetList(document, recent, user, Now.Date);
            AssessDateItems(document.Tasks, Now, 3);
            for (std::size_t i = 0; i < document.Tasks.Count(); ++i)
                (void)StatusText(StatusAt(document.Tasks, i), FormatIso);
            count = document.Tasks.Count();
            document.Tasks.Add("04\tone more");
            AssessDateItems(document.Tasks, Now, 3);
            EXPECT_EQ(SaveListLocked(document).Message, "");
        }
        return { test::HeapPeak() - before, count };
    }

    TEST(StoreMemoryTest, AListTakesUnderThreeTimesItsFileSize)
    {
        const std::string header = "Format: 5.0.0\r\n";
        const auto x = [](std::size_t) { return "x"; };
        const std::tuple<const char*, std::string, std::size_t> cases[] = {
            { "linesAfterAnEmptyLine", FileOf(FileOf(header, 100000, x) + "\r\n", 100000, x), 100000 },
            { "utf8Text", FileOf("\xEF\xBB\xBF" + header, 300000, [](std::size_t) { return "\xC3\xA9"; }),
                300000 },
            { "version2Lines", FileOf("Format: 2.0.0\r\n", 300000, x), 300000 },
            { "version1Lines", FileOf("", 300000, [](std::size_t) { return "1"; }), 300000 },
            { "lfLineEnds",
                FileOf(
                    header, 300000, [](std::size_t) { return "xy"; }, "\n"),
                300000 },
            { "shortLines", FileOf(header, 500000, x), 500000 },
            { "dateBasedLines", FileOf(header, 100000, DateBasedLine), 100000 },
            { "typicalLines", FileOf(header, 100000, TypicalLine), 100000 },
            { "oneLongLine", header + "04\t" + std::string(5'000'000, 'y') + "\r\n", 1 },
        };
        TempFolder folder;
        for (const auto& [name, bytes, count] : cases) {
            test::WriteBytes(folder / "l.agl", bytes);
            const auto [peak, loaded] = PeakOfAWholeRun(folder / "l.agl");
            EXPECT_EQ(loaded, count) << name;
            EXPECT_LT(peak, 3 * bytes.size())
                << name << ": " << peak << " bytes for a file of " << bytes.size();
        }
    }

} // namespace
} // namespace agendrix
