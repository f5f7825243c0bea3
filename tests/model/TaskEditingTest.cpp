#include "model/TaskEditing.h"
#include "model/DateLogic.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    const CivilDate Today { 2026, 12, 4 };

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

    TEST(TaskEditingTest, DaysMustBeANumber)
    {
        const std::tuple<const char*, std::string_view, bool> cases[] = {
            { "empty", "", false },
            { "blanksOnly", " \t ", false },
            { "letters", "abc", false },
            { "digitsThenLetter", "12x", false },
            { "twoPoints", "1.2.3", false },
            { "signAlone", "-", false },
            { "pointAlone", ".", false },
            { "signAfterDigit", "1-", false },
            { "twoSigns", "+-1", false },
            { "blankInside", "1 2", false },
            { "comma", "2,5", false },
            { "whole", "12", true },
            { "blanksAround", " \t7\r\n", true },
            { "decimal", "2.5", true },
            { "pointFirst", ".5", true },
            { "pointLast", "5.", true },
            { "negative", "-3", true },
            { "plusAfterBlank", "  +4", true },
        };
        for (const auto& [name, text, numeric] : cases)
            EXPECT_EQ(IsNumericText(text), numeric) << name;
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

    TEST(TaskEditingTest, LineBreaksInADescriptionBecomeOneBlankEach)
    {
        const std::tuple<const char*, const char*, const char*> cases[] = {
            { "lf", "a\nb", "a b" },
            { "crLf", "a\r\nb", "a b" },
            { "loneCr", "a\rb", "a b" },
            { "crThenCrLf", "a\r\r\nb", "a  b" },
            { "lfThenCr", "a\n\rb", "a  b" },
            { "tab", "a\tb", "a b" },
            { "atBothEnds", "\r\na\r", " a " },
        };
        for (const auto& [name, typed, stored] : cases) {
            TaskEditorInput input = NewTaskDefaults(Today);
            input.Description = typed;
            const EditedTask task = BuildEditedTask(input, Today);
            EXPECT_EQ(task.Line, "09\t" + std::string(stored) + "\t\t0\t20261218\t1\t0\t") << name;
            EXPECT_EQ(task.Description, stored) << name;
            EXPECT_EQ(WithDescription("04\tOld\tinfo", typed), "04\t" + std::string(stored) + "\tinfo")
                << name;
        }
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

    TEST(TaskEditingTest, EditorOpensOnTheFieldsOfALine)
    {
        struct Case {
            const char* name;
            const char* line;
            int option;
            CivilDate date;
            const char* days;
            int kind;
        };
        const Case cases[] = {
            { "tooShortLine", "0", 0, Today, "0", 0 },
            { "junkCode", "x7\tTask", 0, Today, "0", 0 },
            { "codeAboveTen", "42\tTask\t\t0\t20261210\t3\t2\t", 10, { 2026, 12, 10 }, "3", 2 },
            { "emptyDate", "04\tTask\t\t0\t\t3\t1\t", 4, Today, "3", 1 },
            { "dateOfSevenDigits", "04\tTask\t\t0\t2026121\t3\t1\t", 4, Today, "3", 1 },
            { "dateOfNineDigits", "04\tTask\t\t0\t202612100\t3\t1\t", 4, Today, "3", 1 },
            { "impossibleDate", "04\tTask\t\t0\t20261341\t3\t1\t", 4, Today, "3", 1 },
            { "dayKindOutOfRange", "04\tTask\t\t0\t20261210\t 12days\t7\t", 4, { 2026, 12, 10 }, "12", 2 },
            { "flagWinsOverCode", "04\tTask\t\t1\t20261210\t3\t0\t", 0, { 2026, 12, 10 }, "3", 0 },
            { "completed", "10\t2026/12/01 - Task\t\t0\t20261210\t3\t0\t", 10, { 2026, 12, 10 }, "3", 0 },
        };
        for (const Case& c : cases) {
            const TaskEditorInput input = EditorInputFromLine(c.line, Today);
            EXPECT_EQ(input.PriorityOption, c.option) << c.name;
            EXPECT_EQ(input.Date, c.date) << c.name;
            EXPECT_EQ(input.DaysToComplete, c.days) << c.name;
            EXPECT_EQ(input.DayKind, c.kind) << c.name;
        }
        const TaskEditorInput full = EditorInputFromLine(
            "05\tPay rent\tcall\xB6landlord\t0\t20261210\t3\t0\t/home/ann/rent.txt", Today);
        EXPECT_EQ(full.Description, "Pay rent");
        EXPECT_EQ(full.Information, "call\nlandlord");
        EXPECT_EQ(full.File, "/home/ann/rent.txt");
        // What the editor shows, saved unchanged, is the line it opened on.
        EXPECT_EQ(BuildEditedTask(full, Today).Line,
            "05\tPay rent\tcall\xB6landlord\t0\t20261210\t3\t0\t/home/ann/rent.txt");
    }

    TEST(TaskEditingTest, PickedPriorityChangesCodeFlagAndPrefixOnly)
    {
        const std::tuple<const char*, const char*, int, const char*, const char*> cases[] = {
            { "codeOnlyLine", "04", 2, "02", "" },
            { "noFlagField", "04\tTask\tinfo", 9, "09\tTask\tinfo", "Task" },
            { "emptyFlagField", "04\tTask\tinfo\t", 0, "00\tTask\tinfo\t1", "Task" },
            { "dateBasedToLevel", "04\tTask\tinfo\t1\t20261210\t3\t0\tf", 4,
                "04\tTask\tinfo\t0\t20261210\t3\t0\tf", "Task" },
            { "levelToDateBased", "07\tTask\t\t0\t20261210\t3\t0\t", 0, "00\tTask\t\t1\t20261210\t3\t0\t",
                "Task" },
            { "completed", "07\tTask\t\t1\t20261210\t3\t0\t", 10,
                "10\t2026/12/04 - Task\t\t0\t20261210\t3\t0\t", "2026/12/04 - Task" },
            { "completedAgain", "10\t2026/12/01 - Task\t\t0\t\t\t\t", 10,
                "10\t2026/12/04 - 2026/12/01 - Task\t\t0\t\t\t\t", "2026/12/04 - 2026/12/01 - Task" },
        };
        for (const auto& [name, line, option, expected, description] : cases) {
            const ChangedTask changed = WithPickedPriority(line, option, Today);
            EXPECT_EQ(changed.Line, expected) << name;
            EXPECT_EQ(changed.Description, description) << name;
        }
    }

    TEST(TaskEditingTest, InPlaceEditsReplaceOneFieldOnly)
    {
        const std::tuple<const char*, const char*, const char*, const char*> descriptions[] = {
            { "codeOnly", "04", "New", "04New" },
            { "noTabAfterDescription", "04\tOld", "New", "04\tNew" },
            { "tabTypedBecomesBlank", "04\tOld\tinfo\t0", "a\tb", "04\ta b\tinfo\t0" },
            { "emptied", "04\tOld\tinfo\t0", "", "04\t\tinfo\t0" },
        };
        for (const auto& [name, line, typed, expected] : descriptions)
            EXPECT_EQ(WithDescription(line, typed), expected) << name;

        const std::tuple<const char*, const char*, const char*, const char*> informations[] = {
            { "noDescriptionTab", "04\tTask", "info", "04\tTask" },
            { "lastField", "04\tTask\told", "first\r\nsecond", "04\tTask\tfirst\xB6second" },
            { "middleField", "04\tTask\told\t0\t20261210\t1\t0\tf", "a\tb\nc",
                "04\tTask\ta b\xB6"
                "c\t0\t20261210\t1\t0\tf" },
        };
        for (const auto& [name, line, typed, expected] : informations) {
            const FittedLine fitted = WithInformation(line, typed);
            EXPECT_EQ(fitted.Line, expected) << name;
            EXPECT_EQ(fitted.Shortened, Shortening::None) << name;
        }
    }

    TEST(TaskEditingTest, InformationEditIsCutToTheLineLimit)
    {
        const std::string line = "04\tTask\t\t0\t20261210\t1\t0\t"; // 24 bytes without information
        const std::string typed(1030 - line.size(), 'x');
        const FittedLine cut = WithInformation(line, typed);
        EXPECT_EQ(cut.Line.size(), MaxTaskLineLength);
        EXPECT_EQ(cut.Shortened, Shortening::InformationCut);
        EXPECT_EQ(GetField(cut.Line, TaskField::Information).size(), typed.size() - 6);
        EXPECT_EQ(GetField(cut.Line, TaskField::DaysToComplete), "1");

        // A description that alone passes the limit: the information goes, the line stays long.
        const std::string longLine = "04\t" + std::string(1100, 'd') + "\told\t0";
        const FittedLine emptied = WithInformation(longLine, "abc");
        EXPECT_EQ(emptied.Line, "04\t" + std::string(1100, 'd') + "\t\t0");
        EXPECT_EQ(emptied.Shortened, Shortening::InformationCut);
        const FittedLine nothingToCut = WithInformation(longLine, "");
        EXPECT_EQ(nothingToCut.Shortened, Shortening::None);
    }

} // namespace
} // namespace agendrix
