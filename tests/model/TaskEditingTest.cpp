#include "model/TaskEditing.h"
#include "model/DateLogic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace agendrix {
namespace {

    const CivilDate Today { 2026, 12, 4 };

    TEST(TaskEditingTest, NewTaskWithOnlyADescription)
    {
        struct Case {
            const char* name;
            CivilDate today;
            const char* line;
        };
        const Case cases[] = {
            { "sameMonth", Today, "09\tCall Bob\t\t0\t20261218\t1\t0\t" },
            { "intoNextYear", { 2026, 12, 20 }, "09\tCall Bob\t\t0\t20270103\t1\t0\t" },
            { "overLeapDay", { 2028, 2, 20 }, "09\tCall Bob\t\t0\t20280305\t1\t0\t" },
        };
        for (const Case& c : cases) {
            TaskEditorInput input = NewTaskDefaults(c.today);
            input.Description = "Call Bob";
            const EditedTask task = BuildEditedTask(input, c.today);
            EXPECT_EQ(task.Line, c.line) << c.name;
            EXPECT_EQ(task.Shortened, Shortening::None) << c.name;
            EXPECT_EQ(task.Description, "Call Bob") << c.name;
        }
    }

    TEST(TaskEditingTest, PriorityOptionSetsCodeAndFlag)
    {
        TaskEditorInput input = NewTaskDefaults(Today);
        input.Description = "Task";
        input.Date = { 2026, 12, 10 };
        input.DaysToComplete = "3";
        input.DayKind = 2;
        const char* expected[] = {
            "00\tTask\t\t1\t20261210\t3\t2\t", // "&Date Based"
            "01\tTask\t\t0\t20261210\t3\t2\t", "02\tTask\t\t0\t20261210\t3\t2\t",
            "03\tTask\t\t0\t20261210\t3\t2\t", "04\tTask\t\t0\t20261210\t3\t2\t",
            "05\tTask\t\t0\t20261210\t3\t2\t", "06\tTask\t\t0\t20261210\t3\t2\t",
            "07\tTask\t\t0\t20261210\t3\t2\t", "08\tTask\t\t0\t20261210\t3\t2\t",
            "09\tTask\t\t0\t20261210\t3\t2\t",
            "10\t2026/12/04 - Task\t\t0\t20261210\t3\t2\t", // "Co&mpleted"
        };
        for (int option = 0; option <= 10; ++option) {
            input.PriorityOption = option;
            EXPECT_EQ(BuildEditedTask(input, Today).Line, expected[option]) << "option " << option;
        }
        input.PriorityOption = 10;
        EXPECT_EQ(BuildEditedTask(input, Today).Description, "2026/12/04 - Task");
        input.PriorityOption = 4;
        EXPECT_EQ(BuildEditedTask(input, Today).Description, "Task");
    }

    TEST(TaskEditingTest, CompletingACompletedTaskAgainAddsASecondPrefix)
    {
        TaskEditorInput input = NewTaskDefaults(Today);
        input.PriorityOption = CodeCompleted;
        input.Description = "2026/12/01 - Pay rent";
        const EditedTask task = BuildEditedTask(input, Today);
        EXPECT_EQ(task.Description, "2026/12/04 - 2026/12/01 - Pay rent");
        EXPECT_EQ(GetField(task.Line, TaskField::Description), task.Description);
    }

    TEST(TaskEditingTest, TypedTextIsCleanedForTheLine)
    {
        TaskEditorInput input = NewTaskDefaults(Today);
        input.Description = "a\tb";
        input.Information = "a\r\nb\tc";
        input.File = "/home/ann/my\tfile.txt";
        const EditedTask task = BuildEditedTask(input, Today);
        EXPECT_EQ(task.Line,
            "09\ta b\ta\xB6"
            "b c\t0\t20261218\t1\t0\t/home/ann/my file.txt");
        EXPECT_EQ(task.Description, "a b");
    }

    TEST(TaskEditingTest, LongInformationIsCutToTheLimit)
    {
        TaskEditorInput input = NewTaskDefaults(Today);
        input.Description = "Notes";
        std::string typed;
        for (int i = 0; i < 700; ++i)
            typed += "x\r\n"; // 2100 bytes typed, 1400 once encoded
        input.Information = typed;
        const EditedTask task = BuildEditedTask(input, Today);
        EXPECT_EQ(task.Line.size(), MaxTaskLineLength);
        EXPECT_EQ(task.Shortened, Shortening::InformationCut);
        const std::string_view info = GetField(task.Line, TaskField::Information);
        EXPECT_EQ(std::string(info), EncodeInformation(typed).substr(0, info.size()));
        EXPECT_EQ(GetField(task.Line, TaskField::File), "");
        EXPECT_EQ(GetField(task.Line, TaskField::Date), "20261218");

        const std::size_t otherFields = std::string("09\tNotes\t\t0\t20261218\t1\t0\t").size();
        input.Information = std::string(MaxTaskLineLength - otherFields, 'y'); // exactly 1024 bytes
        const EditedTask fits = BuildEditedTask(input, Today);
        EXPECT_EQ(fits.Line.size(), MaxTaskLineLength);
        EXPECT_EQ(fits.Shortened, Shortening::None);
    }

    std::vector<std::string> LinesOf(const TaskStore& store)
    {
        return { store.Lines().begin(), store.Lines().end() };
    }

    ListDocument DocumentWith(const std::vector<std::string>& lines)
    {
        ListDocument document;
        document.ListName = "/home/ann/home.agl";
        document.Tasks.Load(lines);
        return document;
    }

    TEST(TaskEditingTest, CompleteTaskMovesTheLineToTheTail)
    {
        ListDocument document = DocumentWith(
            { "04\tapple\t\t0\t20261201\t1\t0\t", "09\tPay rent\tcall landlord\t1\t20261210\t3\t0\t",
                "10\t2026/11/01 - Old\t\t0\t20261101\t1\t0\t" });
        ASSERT_EQ(document.Tasks.Line(1), "09\tPay rent\tcall landlord\t1\t20261210\t3\t0\t");

        const auto index = CompleteTask(document, 1, Today);
        ASSERT_TRUE(index.has_value());
        EXPECT_EQ(*index, 2u);
        EXPECT_TRUE(document.Dirty);
        EXPECT_EQ(LinesOf(document.Tasks),
            (std::vector<std::string> { "04\tapple\t\t0\t20261201\t1\t0\t",
                "10\t2026/11/01 - Old\t\t0\t20261101\t1\t0\t",
                "10\t2026/12/04 - Pay rent\tcall landlord\t0\t20261210\t3\t0\t" }));

        // No longer date-based: the date logic leaves the completed task alone.
        AssessDateItems(document.Tasks, DateTime { { 2026, 12, 20 }, 12 * 3600 }, 1);
        EXPECT_EQ(document.Tasks.Line(2), "10\t2026/12/04 - Pay rent\tcall landlord\t0\t20261210\t3\t0\t");
    }

    TEST(TaskEditingTest, CompleteTaskPastTheLastTaskChangesNothing)
    {
        ListDocument document = DocumentWith({ "04\tapple", "09\tpear" });
        const auto revision = document.Tasks.Revision();
        EXPECT_EQ(CompleteTask(document, 2, Today), std::nullopt);
        EXPECT_EQ(CompleteTask(document, 99, Today), std::nullopt);
        EXPECT_FALSE(document.Dirty);
        EXPECT_EQ(document.Tasks.Revision(), revision);
        EXPECT_EQ(LinesOf(document.Tasks), (std::vector<std::string> { "04\tapple", "09\tpear" }));

        ListDocument empty = DocumentWith({});
        EXPECT_EQ(CompleteTask(empty, 0, Today), std::nullopt);
        EXPECT_FALSE(empty.Dirty);
    }

} // namespace
} // namespace agendrix
