#include "model/RecentLists.h"

#include "TestSupport.h"

#include <random>

namespace agendrix {
namespace {

    std::string Path(std::size_t n) { return "/lists/l" + std::to_string(n) + ".agl"; }

    // Entries 0 to 14 as "/lists/l0.agl" to "/lists/l14.agl".
    RecentLists Full()
    {
        RecentLists recent;
        for (std::size_t i = 0; i < RecentListCount; ++i)
            recent[i] = Path(i);
        return recent;
    }

    TEST(RecentListsTest, SameListTwiceIsKeptOnceAtTop)
    {
        RecentLists recent;
        UpdateRecentLists(recent, "/a/home.agl");
        UpdateRecentLists(recent, "/a/home.agl");
        RecentLists expected;
        expected[0] = "/a/home.agl";
        EXPECT_EQ(recent, expected);
    }

    TEST(RecentListsTest, EntryFromTheMiddleMovesToTopAndRestCloseUp)
    {
        for (const std::size_t k : { std::size_t { 0 }, std::size_t { 7 }, std::size_t { 14 } }) {
            SCOPED_TRACE(k);
            RecentLists recent = Full();
            UpdateRecentLists(recent, Path(k));
            RecentLists expected;
            expected[0] = Path(k);
            for (std::size_t i = 1; i < RecentListCount; ++i)
                expected[i] = Path(i <= k ? i - 1 : i);
            EXPECT_EQ(recent, expected);
        }
    }

    TEST(RecentListsTest, SixteenthListDropsTheOldest)
    {
        RecentLists recent;
        for (std::size_t n = 1; n <= 16; ++n)
            UpdateRecentLists(recent, Path(n));
        EXPECT_EQ(recent[0], Path(16));
        EXPECT_EQ(recent[14], Path(2));
        EXPECT_EQ(recent[RecentListCount], "");
        EXPECT_EQ(std::count(recent.begin(), recent.end(), Path(1)), 0);
    }

    TEST(RecentListsTest, LetterCaseMakesTwoEntries)
    {
        RecentLists recent;
        UpdateRecentLists(recent, "/a/X.agl");
        UpdateRecentLists(recent, "/a/x.agl");
        EXPECT_EQ(recent[0], "/a/x.agl");
        EXPECT_EQ(recent[1], "/a/X.agl");
        EXPECT_EQ(recent[2], "");
    }

    // Against a plain most-recent-first list of distinct names, over a random sequence of opens.
    TEST(RecentListsTest, BehavesAsMostRecentFirstOfFifteenAndSpareStaysEmpty)
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

} // namespace
} // namespace agendrix
