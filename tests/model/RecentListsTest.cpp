#include "model/RecentLists.h"

#include "ModelTest.h"

#include <random>

namespace agendrix {
namespace {

    std::string Path(std::size_t n) { return "/lists/l" + std::to_string(n) + ".agl"; }

    // Against a plain most-recent-first list of distinct names, over a random sequence of opens:
    // a name opened again moves to the top, the sixteenth drops the oldest, the spare stays empty.
    TEST(RecentListsTest, BehavesAsMostRecentFirstOfFifteen)
    {
        std::mt19937 random(15);
        RecentLists recent;
        std::vector<std::string> reference;
        for (int step = 0; step < 2000; ++step) {
            const std::string name = Path(random() % 22);
            UpdateRecentLists(recent, name);
            std::erase(reference, name);
            reference.insert(reference.begin(), name);
            if (reference.size() > RecentListCount)
                reference.pop_back();

            std::vector<std::string> expected = reference;
            expected.resize(RecentListCount + 1);
            ASSERT_EQ(std::vector<std::string>(recent.begin(), recent.end()), expected) << "step " << step;
        }
    }

    TEST(RecentListsTest, LetterCaseMakesTwoEntries)
    {
        RecentLists recent;
        UpdateRecentLists(recent, "/a/X.agl");
        UpdateRecentLists(recent, "/a/x.agl");
        RecentLists expected;
        expected[0] = "/a/x.agl";
        expected[1] = "/a/X.agl";
        EXPECT_EQ(recent, expected);
    }

    TEST(RecentListsTest, CaptionsCarryTheKeyAndTheNameWithoutFolderOrExtension)
    {
        const struct {
            const char* Name;
            std::size_t Number;
            std::string Path;
            std::string Expected;
        } cases[] = {
            { "upperCaseExtensionStays", 1, "/home/u/Work.AGL", " &1  Work.AGL" },
            { "onlyTheLastExtensionIsCut", 2, "/a/b.agl.agl", " &2  b.agl" },
            { "extensionInTheFolderIsNotCut", 3, "/x.agl/Plan", " &3  Plan" },
            { "ninthIsADigit", 9, "/a/Work.agl", " &9  Work" },
            { "tenthIsA", 10, "/a/Work.agl", " &A  Work" },
            { "fifteenthIsF", 15, "/lists/Home.agl", " &F  Home" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(RecentListCaption(c.Number, c.Path), c.Expected) << c.Name;
    }

    TEST(RecentListsTest, ThePopupShowsEntriesUpToTheFirstWithoutAFolder)
    {
        RecentLists gone;
        gone[0] = "/a/x.agl";
        gone[1] = "x.agl"; // a name without a folder ends the entries shown
        gone[2] = "/a/y.agl";
        RecentLists full;
        for (std::size_t i = 0; i < full.size(); ++i)
            full[i] = Path(i); // the spare is filled too, yet never shown
        RecentLists longPath;
        longPath[0] = "/" + std::string(5000, 'x') + ".agl";
        const struct {
            const char* Name;
            RecentLists Recent;
            std::size_t Expected;
        } cases[] = {
            { "empty", RecentLists {}, 0 },
            { "endsAtANameWithoutAFolder", gone, 1 },
            { "pathOf5000Characters", longPath, 1 },
            { "fullStopsAtFifteen", full, RecentListCount },
        };
        for (const auto& c : cases)
            EXPECT_EQ(RecentListsShown(c.Recent), c.Expected) << c.Name;
    }

    TEST(RecentListsTest, RemovingAnEntryMovesTheLaterOnesUp)
    {
        RecentLists full;
        for (std::size_t i = 0; i < RecentListCount; ++i)
            full[i] = Path(i);
        const struct {
            const char* Name;
            std::size_t Index;
            std::vector<std::size_t> ExpectedLeft; // numbers of the Path()s left, in order
        } cases[] = {
            { "pastTheEntriesChangesNothing", RecentListCount,
                { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14 } },
            { "first", 0, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14 } },
            { "middle", 7, { 0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14 } },
            { "last", 14, { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13 } },
        };
        for (const auto& c : cases) {
            RecentLists recent = full;
            RemoveRecentList(recent, c.Index);
            RecentLists expected;
            for (std::size_t i = 0; i < c.ExpectedLeft.size(); ++i)
                expected[i] = Path(c.ExpectedLeft[i]);
            EXPECT_EQ(recent, expected) << c.Name;
        }
    }

} // namespace
} // namespace agendrix
