#include "model/TaskEditing.h"
#include "model/DateLogic.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace agendrix {
namespace {

    const CivilDate Today { 2026, 12, 4 };

    std::vector<std::string> LinesOf(const TaskStore& store)
    {
        return { store.Lines().begin(), store.Lines().end() };
    }

    TEST(TaskEditingTest, NewTaskWithOnlyADescription)
    {
        const std::tuple<const char*, CivilDate, const char*> cases[] = {
            { "sameMonth", Today, "09\tCall Bob\t\t0\t20261218\t1\t0\t" },
            { "intoNextYear", { 2026, 12, 20 }, "09\tCall Bob\t\t0\t20270103\t1\t0\t" },
            { "overLeapDay", { 2028, 2, 20 }, "09\tCall Bob\t\t0\t20280305\t1\t0\t" },
        };
        for (const auto& [name, today, line] : cases) {
            TaskEditorInput input = NewTaskDefaults(today);
            input.Description = "Call Bob";
            const EditedTask task = BuildEditedTask(input, today);
            EXPECT_EQ(task.Line, line) << name;
            EXPECT_EQ(task.Shortened, Shortening::None) << name;
            EXPECT_EQ(task.Description, "Call Bob") << name;
        }
    }

    TEST(TaskEditingTest, PriorityOptionSetsCodeFlagAndCompletionPrefix)
    {
        const std::tuple<const char*, int, const char*, std::string_view> cases[] = {
            { "dateBased", 0, "Task", "00\tTask\t\t1\t20261210\t3\t2\t" },
            { "broken", 1, "Task", "01\tTask\t\t0\t20261210\t3\t2\t" },
            { "level7", 2, "Task", "02\tTask\t\t0\t20261210\t3\t2\t" },
            { "level6", 3, "Task", "03\tTask\t\t0\t20261210\t3\t2\t" },
            { "level5", 4, "Task", "04\tTask\t\t0\t20261210\t3\t2\t" },
            { "level4", 5, "Task", "05\tTask\t\t0\t20261210\t3\t2\t" },
            { "level3", 6, "Task", "06\tTask\t\t0\t20261210\t3\t2\t" },
            { "level2", 7, "Task", "07\tTask\t\t0\t20261210\t3\t2\t" },
            { "level1", 8, "Task", "08\tTask\t\t0\t20261210\t3\t2\t" },
            { "unprioritized", 9, "Task", "09\tTask\t\t0\t20261210\t3\t2\t" },
            { "completed", 10, "Task", "10\t2026/12/04 - Task\t\t0\t20261210\t3\t2\t" },
            { "completedAgain", 10, "2026/12/01 - Task",
                "10\t2026/12/04 - 2026/12/01 - Task\t\t0\t20261210\t3\t2\t" },
        };
        for (const auto& [name, option, description, line] : cases) {
            TaskEditorInput input = NewTaskDefaults(Today);
            input.PriorityOption = option;
            input.Description = description;
            input.Date = { 2026, 12, 10 };
            input.DaysToComplete = "3";
            input.DayKind = 2;
            const EditedTask task = BuildEditedTask(input, Today);
            EXPECT_EQ(task.Line, line) << name;
            EXPECT_EQ(task.Description, GetField(line, TaskField::Description)) << name;
        }
    }

    TEST(TaskEditingTest, TypedTextIsCleanedAndCutToTheLimit)
    {
        TaskEditorInput input = NewTaskDefaults(Today);
        input.Description = "a\tb";
        input.Information = "a\r\nz\tc";
        input.File = "/home/ann/my\tfile.txt";
        const EditedTask task = BuildEditedTask(input, Today);
        EXPECT_EQ(task.Line, "09\ta b\ta\xB6z c\t0\t20261218\t1\t0\t/home/ann/my file.txt");
        EXPECT_EQ(task.Description, "a b");

        std::string typed;
        for (int i = 0; i < 700; ++i)
            typed += "x\r\n"; // 2100 bytes typed, 1400 once encoded
        input.Information = typed;
        const EditedTask cut = BuildEditedTask(input, Today);
        EXPECT_EQ(cut.Line.size(), MaxTaskLineLength);
        EXPECT_EQ(cut.Shortened, Shortening::InformationCut);
        const std::string_view info = GetField(cut.Line, TaskField::Information);
        EXPECT_EQ(std::string(info), EncodeInformation(typed).substr(0, info.size()));
        EXPECT_EQ(GetField(cut.Line, TaskField::File), "/home/ann/my file.txt");
    }

    TEST(TaskEditingTest, CompleteTaskMovesTheLineToTheTail)
    {
        ListDocument empty;
        EXPECT_EQ(CompleteTask(empty, 0, Today), std::nullopt);
        EXPECT_FALSE(empty.Dirty);

        ListDocument document { "/home/ann/home.agl", false, {} };
        document.Tasks.Load(
            { "04\tapple\t\t0\t20261201\t1\t0\t", "09\tPay rent\tcall landlord\t1\t20261210\t3\t0\t",
                "10\t2026/11/01 - Old\t\t0\t20261101\t1\t0\t" });
        const auto revision = document.Tasks.Revision();
        EXPECT_EQ(CompleteTask(document, 3, Today), std::nullopt);
        EXPECT_FALSE(document.Dirty);
        EXPECT_EQ(document.Tasks.Revision(), revision);

        EXPECT_EQ(CompleteTask(document, 1, Today), 2u);
        EXPECT_TRUE(document.Dirty);
        const std::vector<std::string> expected { "04\tapple\t\t0\t20261201\t1\t0\t",
            "10\t2026/11/01 - Old\t\t0\t20261101\t1\t0\t",
            "10\t2026/12/04 - Pay rent\tcall landlord\t0\t20261210\t3\t0\t" };
        EXPECT_EQ(LinesOf(document.Tasks), expected);
        // No longer date-based: the date logic leaves the completed task alone.
        AssessDateItems(document.Tasks, DateTime { { 2026, 12, 20 }, 12 * 3600 }, 1);
        EXPECT_EQ(LinesOf(document.Tasks), expected);
    }

} // namespace
} // namespace agendrix
