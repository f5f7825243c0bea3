#include "model/RowContent.h"

#include "model/DateLogic.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    const DateTime Noon { { 2026, 12, 4 }, 12 * 3600 };

    enum class Assessed { No, Yes };

    TEST(RowContentTest, RowShowsItsTaskOrOffersToAddOne)
    {
        const std::string post = "04\tPost\tfirst\xB6second\t0\t20261210\t1\t0\t";
        const std::string dentist = "00\tDentist\t\t1\t20261214\t2\t0\t";
        const std::tuple<const char*, std::vector<std::string>, Assessed, std::size_t, bool, int, std::string,
            std::string, std::string>
            cases[] = {
                { "emptyList", {}, Assessed::No, 0, true, CodeUnprioritized, "", "",
                    "Right-click to add task" },
                { "pastTheLastTask", { post }, Assessed::Yes, 1, true, CodeUnprioritized, "", "",
                    "Right-click to add task" },
                { "unreadableCode", { "x4\tOdd" }, Assessed::Yes, 0, false, CodeUnprioritized, "Odd", "",
                    "" },
                { "dateBasedNotAssessed", { dentist }, Assessed::No, 0, false, CodeUnprioritized, "Dentist",
                    "", "" },
                { "fixedNotAssessedHasNoStatus", { post }, Assessed::No, 0, false, 4, "Post",
                    "first\xB6second", "" },
                { "shortLine", { "05\tShort" }, Assessed::Yes, 0, false, 5, "Short", "",
                    "Medium High Priority" },
                { "fixedPriority", { post }, Assessed::Yes, 0, false, 4, "Post", "first\xB6second",
                    "High Priority" },
                { "dateBasedAssessed", { dentist }, Assessed::Yes, 0, false, 4, "Dentist", "",
                    "Due on: 2026-12-14, Start: 4 Weekday Days" },
            };
        for (const auto& [name, lines, assessed, index, empty, code, description, information, dateText] :
            cases) {
            TaskStore tasks;
            tasks.Load(lines);
            if (assessed == Assessed::Yes)
                AssessDateItems(tasks, Noon, 3);
            const RowContent row = ContentOfRow(tasks, index, FormatIso);
            EXPECT_EQ(row.Empty, empty) << name;
            EXPECT_EQ(row.Code, code) << name;
            EXPECT_EQ(row.Description, description) << name;
            EXPECT_EQ(row.Information, information) << name;
            EXPECT_EQ(row.DateText, dateText) << name;
        }
    }

    TEST(RowContentTest, RowShowingFindsTheFirstShownRowOfADescription)
    {
        TaskStore tasks;
        tasks.Load(std::vector<std::string> {
            "02\tAlpha", "04\tBravo", "06\tCharlie", "06\tCharlie\tnote", "08\tDelta" });
        const std::tuple<const char*, std::size_t, int, std::string, std::optional<int>> cases[] = {
            { "noRowsShown", 0, 0, "Alpha", std::nullopt },
            { "emptyDescription", 0, 5, "", std::nullopt },
            { "otherCase", 0, 5, "bravo", std::nullopt },
            { "rowStartPastTheList", 9, 3, "Delta", std::nullopt },
            { "scrolledAbove", 2, 3, "Alpha", std::nullopt },
            { "belowTheShownRows", 0, 2, "Charlie", std::nullopt },
            { "firstRow", 0, 5, "Alpha", 0 },
            { "firstOfTwoTasks", 1, 4, "Charlie", 1 },
            { "rowsPastTheList", 3, 10, "Delta", 1 },
        };
        for (const auto& [name, rowStart, rowsShown, description, row] : cases)
            EXPECT_EQ(RowShowing(tasks, rowStart, rowsShown, description), row) << name;
    }

} // namespace
} // namespace agendrix
