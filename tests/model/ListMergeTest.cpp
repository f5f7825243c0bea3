#include "model/ListMerge.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    // A task line of `code` with the given description, notes and date.
    std::string Task(std::string_view code, std::string_view description, std::string_view date,
        std::string_view notes = "")
    {
        return std::string(code) + "\t" + std::string(description) + "\t" + std::string(notes) + "\t0\t"
            + std::string(date) + "\t1\t0\t";
    }

    struct MergeCase {
        const char* Name;
        std::vector<std::string> A;
        std::vector<std::string> B;
        std::vector<std::string> Lines;
        MergeCounts Counts;
    };

    std::vector<std::string_view> Views(const std::vector<std::string>& lines)
    {
        return { lines.begin(), lines.end() };
    }

    void Check(const std::vector<MergeCase>& cases)
    {
        std::set<std::string> names;
        for (const MergeCase& c : cases) {
            EXPECT_TRUE(names.insert(c.Name).second) << "two cases are named " << c.Name;
            const MergedLines merged = MergeTaskLines(Views(c.A), Views(c.B));
            EXPECT_EQ(merged.Lines, c.Lines) << c.Name;
            EXPECT_EQ(merged.Counts, c.Counts) << c.Name;
        }
    }

    const std::string Milk = Task("04", "Milk", "20261201");
    const std::string Rent = Task("02", "Rent", "20261205");
    const std::string Tyres = Task("06", "Tyres", "20261210");

    TEST(ListMergeTest, OddInputLosesNothingAndMultipliesNothing)
    {
        const std::string badCode = "xx\tMilk\t\t0\t20261201\t1\t0\t";
        const std::string pastCompleted = "11\tMilk\t\t0\t20261201\t1\t0\t";
        Check({
            { "bothEmpty", {}, {}, {}, { 0, 0, 0, 0 } },
            { "emptyA", {}, { Milk, Rent }, { Milk, Rent }, { 0, 2, 0, 0 } },
            { "emptyB", { Milk, Rent }, {}, { Milk, Rent }, { 2, 0, 0, 0 } },
            { "emptyLineInBoth", { "" }, { "" }, { "" }, { 1, 0, 1, 0 } },
            { "unparsedLineInBothIsOne", { "garbage", Milk }, { "garbage" }, { "garbage", Milk },
                { 2, 0, 1, 0 } },
            { "unparsedLinesThatDifferAreTwo", { "garbage" }, { "rubbish" }, { "garbage", "rubbish" },
                { 1, 1, 0, 0 } },
            { "unparsedLineNeverMeetsATask", { badCode }, { Milk }, { badCode, Milk }, { 1, 1, 0, 0 } },
            { "taskNeverMeetsAnUnparsedLine", { Milk }, { badCode }, { Milk, badCode }, { 1, 1, 0, 0 } },
            { "codePastCompletedIsUnparsed", { pastCompleted }, { Milk }, { pastCompleted, Milk },
                { 1, 1, 0, 0 } },
            { "shortLinesWithCodesMeetOnEmptyFields", { "05" }, { "03" }, { "03" }, { 1, 0, 1, 1 } },
            { "sameTaskTwiceInAStaysTwice", { Milk, Milk }, { Milk }, { Milk, Milk }, { 2, 0, 1, 0 } },
            { "sameTaskTwiceInBStaysTwice", { Milk }, { Milk, Milk }, { Milk, Milk }, { 1, 1, 1, 0 } },
            { "sameTaskTwiceInBothStaysTwice", { Milk, Milk }, { Milk, Milk }, { Milk, Milk },
                { 2, 0, 2, 0 } },
            { "duplicatesPairInOrder", { Task("05", "Milk", "20261201"), Task("07", "Milk", "20261201") },
                { Task("03", "Milk", "20261201") },
                { Task("03", "Milk", "20261201"), Task("07", "Milk", "20261201") }, { 2, 0, 1, 1 } },
        });
    }

    TEST(ListMergeTest, OneTaskIsTheSameDescriptionAndDate)
    {
        const std::string completedLookalike = Task("04", "2026/12/01 - Milk", "20261201");
        Check({
            { "identicalListsMergeWhole", { Milk, Rent }, { Milk, Rent }, { Milk, Rent }, { 2, 0, 2, 0 } },
            { "otherNotesSameTaskKeepsA", { Task("04", "Milk", "20261201", "semi-skimmed") },
                { Task("04", "Milk", "20261201", "whole") },
                { Task("04", "Milk", "20261201", "semi-skimmed") }, { 1, 0, 1, 0 } },
            { "otherDatesAreTwoTasks", { Milk }, { Task("04", "Milk", "20261202") },
                { Milk, Task("04", "Milk", "20261202") }, { 1, 1, 0, 0 } },
            { "emptyDateIsADateOfItsOwn", { Milk }, { Task("04", "Milk", "") },
                { Milk, Task("04", "Milk", "") }, { 1, 1, 0, 0 } },
            { "otherDescriptionsAreTwoTasks", { Milk }, { Task("04", "Milk!", "20261201") },
                { Milk, Task("04", "Milk!", "20261201") }, { 1, 1, 0, 0 } },
            { "letterCaseCounts", { Milk }, { Task("04", "milk", "20261201") },
                { Milk, Task("04", "milk", "20261201") }, { 1, 1, 0, 0 } },
            { "completionPrefixIsLeftOut", { Milk }, { Task("10", "2026/12/03 - Milk", "20261201") },
                { Task("10", "2026/12/03 - Milk", "20261201") }, { 1, 0, 1, 1 } },
            { "prefixOfAnOpenTaskIsItsText", { Milk }, { completedLookalike }, { Milk, completedLookalike },
                { 1, 1, 0, 0 } },
            { "completedOnOtherDaysIsOneTask", { Task("10", "2026/12/02 - Milk", "20261201") },
                { Task("10", "2026/12/03 - Milk", "20261201") },
                { Task("10", "2026/12/02 - Milk", "20261201") }, { 1, 0, 1, 0 } },
        });
    }

    TEST(ListMergeTest, TheHigherPriorityWinsEitherWay)
    {
        const auto milk = [](std::string_view code) { return Task(code, "Milk", "20261201"); };
        const auto done
            = [](std::string_view notes) { return Task("10", "2026/12/03 - Milk", "20261201", notes); };
        Check({
            { "higherInBReplacesA", { milk("06") }, { milk("03") }, { milk("03") }, { 1, 0, 1, 1 } },
            { "higherInAStays", { milk("03") }, { milk("06") }, { milk("03") }, { 1, 0, 1, 0 } },
            { "extremeOverLow", { milk("08") }, { milk("02") }, { milk("02") }, { 1, 0, 1, 1 } },
            { "lowOverUnprioritized", { milk("09") }, { milk("08") }, { milk("08") }, { 1, 0, 1, 1 } },
            { "unprioritizedStaysOverLowerNothing", { milk("08") }, { milk("09") }, { milk("08") },
                { 1, 0, 1, 0 } },
            { "brokenOverExtreme", { milk("02") }, { milk("01") }, { milk("01") }, { 1, 0, 1, 1 } },
            { "notAssessedYieldsToUnprioritized", { milk("00") }, { milk("09") }, { milk("09") },
                { 1, 0, 1, 1 } },
            { "notAssessedNeverWins", { milk("09") }, { milk("00") }, { milk("09") }, { 1, 0, 1, 0 } },
            { "completedInBWinsOverExtreme", { milk("02") }, { done("") }, { done("") }, { 1, 0, 1, 1 } },
            { "completedInBWinsOverBroken", { milk("01") }, { done("") }, { done("") }, { 1, 0, 1, 1 } },
            { "completedInAStaysOverBroken", { done("") }, { milk("01") }, { done("") }, { 1, 0, 1, 0 } },
            { "winnerKeepsItsOwnNotes", { milk("06") }, { Task("03", "Milk", "20261201", "from B") },
                { Task("03", "Milk", "20261201", "from B") }, { 1, 0, 1, 1 } },
            { "tieKeepsAsNotes", { done("from A") }, { done("from B") }, { done("from A") }, { 1, 0, 1, 0 } },
        });
    }

    TEST(ListMergeTest, AsOrderThenBsNewTasksInTheirs)
    {
        const std::string bread = Task("05", "Bread", "20261201");
        const std::string eggs = Task("03", "Eggs", "20261201");
        Check({
            { "bsNewTasksFollowInBsOrder", { Milk, Rent }, { Tyres, bread, eggs },
                { Milk, Rent, Tyres, bread, eggs }, { 2, 3, 0, 0 } },
            { "matchedTaskKeepsAsPlace", { Rent, Milk, Tyres },
                { eggs, Task("02", "Milk", "20261201"), bread },
                { Rent, Task("02", "Milk", "20261201"), Tyres, eggs, bread }, { 3, 2, 1, 1 } },
            { "unsortedAStaysUnsorted", { Tyres, Rent, Milk }, { Rent }, { Tyres, Rent, Milk },
                { 3, 0, 1, 0 } },
        });
    }

    TEST(ListMergeTest, RanksFollowTheListExceptCompletedFirstAndNotAssessedLast)
    {
        const std::vector<int> highestFirst = { CodeCompleted, CodeBroken, CodeExtreme, 3, 4, 5, 6, 7,
            CodeLow, CodeUnprioritized, CodeNotAssessed };
        for (std::size_t i = 1; i < highestFirst.size(); ++i)
            EXPECT_GT(MergeRank(highestFirst[i - 1]), MergeRank(highestFirst[i]))
                << "code " << highestFirst[i - 1] << " before code " << highestFirst[i];
    }

} // namespace
} // namespace agendrix
