#include "model/RecentLists.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

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

} // namespace
} // namespace agendrix
