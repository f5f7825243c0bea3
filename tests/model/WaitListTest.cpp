#include "model/WaitList.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    // Starts made at ticks 100, 100 and 101: the first two in one tick, told apart by their ids.
    const ProcessStamp First { 100, 4000 };
    const ProcessStamp Second { 100, 4001 };
    const ProcessStamp Third { 101, 17 }; // ids start again from the bottom when they run out

    // Every start runs except those the test has ended.
    struct FakeProcessTable {
        std::set<ProcessStamp> Ended;
        WaitList::RunningTest Test()
        {
            return [this](const ProcessStamp& start) { return !Ended.contains(start); };
        }
    };

    TEST(WaitListTest, StartsStandInTheOrderTheyWereMadeWhateverTheOrderTheyJoin)
    {
        const std::tuple<const char*, std::vector<ProcessStamp>> cases[] = {
            { "inOrder", { First, Second, Third } },
            { "reversed", { Third, Second, First } },
            { "lastFirst", { Third, First, Second } },
            { "joinedTwice", { Second, First, Second, Third, First } },
        };
        for (const auto& [name, joins] : cases) {
            TempFolder folder;
            FakeProcessTable table;
            WaitList line(folder / WaitListFileName, table.Test());
            for (const ProcessStamp& start : joins)
                ASSERT_EQ(line.Join(start).Message, "") << name;
            EXPECT_EQ(line.Starts(), (std::vector { First, Second, Third })) << name;
            EXPECT_EQ(line.Look(Third).Position, 2u) << name;
            EXPECT_EQ(ReadBytes(folder / WaitListFileName), "0\r\n4000 100\r\n4001 100\r\n17 101\r\n")
                << name;
        }
    }

    TEST(WaitListTest, EndedStartsAreDroppedAndTheLastToLeaveRemovesTheFile)
    {
        TempFolder folder;
        FakeProcessTable table;
        WaitList line(folder / WaitListFileName, table.Test());
        for (const ProcessStamp& start : { First, Second, Third })
            line.Join(start);
        table.Ended.insert(First);
        EXPECT_EQ(line.Look(Second).Position, 0u);
        EXPECT_EQ(line.Look(Third).Position, 1u);
        EXPECT_FALSE(line.Look(First).Position.has_value());
        line.Leave(Second, WaitList::Turn::Served);
        EXPECT_EQ(line.Look(Third).Position, 0u);
        line.Leave(Third, WaitList::Turn::GaveUp);
        EXPECT_TRUE(folder.Names().empty());
        EXPECT_EQ(line.Look(Third).Position, std::nullopt);
        EXPECT_TRUE(folder.Names().empty()); // looking does not make the file again
    }

    TEST(WaitListTest, OnlyServedTurnsCount)
    {
        TempFolder folder;
        FakeProcessTable table;
        WaitList line(folder / WaitListFileName, table.Test());
        for (const ProcessStamp& start : { First, Second, Third })
            line.Join(start);
        line.Leave(First, WaitList::Turn::Served);
        EXPECT_EQ(line.Look(Third).Served, 1u);
        line.Leave(Second, WaitList::Turn::GaveUp);
        EXPECT_EQ(line.Look(Third).Served, 1u);
        line.Leave(First, WaitList::Turn::Served); // a start that had been dropped as ended
        EXPECT_EQ(line.Look(Third).Served, 2u);
    }

    TEST(WaitListTest, LinesThatDoNotReadAreDropped)
    {
        const std::tuple<const char*, std::string, std::uint64_t, std::vector<ProcessStamp>> cases[] = {
            { "empty", "", 0, {} },
            { "cutShort", "7\r\n4000 100\r\n4001", 7, { First } },
            { "badCount", "x\r\n4001 100\r\n", 0, { Second } },
            { "junk", "3\n4000 100 9\n-5 100\n0 100\n 4001 100\nabc\n\0\n17 101\n"s, 3, { Third } },
            { "lfOnly", "2\n4000 100\n4001 100\n", 2, { First, Second } },
        };
        for (const auto& [name, bytes, served, starts] : cases) {
            TempFolder folder;
            WriteBytes(folder / WaitListFileName, bytes);
            FakeProcessTable table;
            WaitList line(folder / WaitListFileName, table.Test());
            EXPECT_EQ(line.Starts(), starts) << name;
            EXPECT_EQ(line.Look(First).Served, served) << name;
        }
    }

    TEST(WaitListTest, MissingFolderSaysWhy)
    {
        TempFolder folder;
        const std::string missing = folder / "gone/queue.wait";
        const FileError error = WaitList(missing).Join(First);
        EXPECT_EQ(error.Message,
            "Could not take a place among the starts waiting in \"" + missing + "\": " + std::strerror(ENOENT)
                + ".");
    }

    // Starts in separate processes join and leave the same list at the same time: none is lost
    // or left behind, although each leaving last removes the file under the others' feet.
    TEST(WaitListTest, ManyProcessesJoinAndLeaveAtOnce)
    {
        TempFolder folder;
        const std::string path = folder / WaitListFileName;
        std::vector<pid_t> children;
        for (int i = 0; i < 6; ++i) {
            const pid_t child = ::fork();
            if (child == 0) {
                WaitList line(path);
                const ProcessStamp self = StampOf(::getpid());
                for (int round = 0; round < 200; ++round) {
                    if (!line.Join(self).Message.empty() || !line.Look(self).Position)
                        ::_exit(1);
                    line.Leave(self, WaitList::Turn::Served);
                    if (line.Look(self).Position)
                        ::_exit(2);
                }
                ::_exit(0);
            }
            children.push_back(child);
        }
        for (const pid_t child : children) {
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
        }
        EXPECT_TRUE(folder.Names().empty());
    }

} // namespace
} // namespace agendrix
