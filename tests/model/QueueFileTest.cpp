#include "model/QueueFile.h"
#include "model/Settings.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    TEST(QueueFileTest, ARequestWaitsUntilTakenAndIsNeverReplaced)
    {
        TempFolder folder;
        const std::string queue = folder / QueueFileName;
        EXPECT_FALSE(TakeQueueFile(queue).has_value());
        ASSERT_EQ(WriteQueueFile(queue, "/home/zoë/été.agl").Message, "");
        const FileError refused = WriteQueueFile(queue, "/a/second.agl");
        EXPECT_EQ(refused.ErrorNumber, EEXIST);
        EXPECT_EQ(refused.Message,
            "Could not hand the list over through \"" + queue + "\": another request waits there.");
        EXPECT_EQ(ReadBytes(queue), "/home/zo\xEB/\xE9t\xE9.agl\r\n"); // Windows-1252 where it fits
        EXPECT_EQ(folder.Names(), std::vector { std::string(QueueFileName) });

        const std::optional<QueueRequest> request = TakeQueueFile(queue);
        ASSERT_TRUE(request.has_value());
        EXPECT_EQ(request->ListPath, "/home/zoë/été.agl");
        EXPECT_TRUE(folder.Names().empty());
        EXPECT_FALSE(TakeQueueFile(queue).has_value());
        EXPECT_EQ(WriteQueueFile(queue, "/a/second.agl").Message, "");
        EXPECT_EQ(ReadBytes(queue), "/a/second.agl\r\n");
    }

    TEST(QueueFileTest, FailedWriteSaysWhyAndLeavesNothingBehind)
    {
        const std::tuple<const char*, FileStep, int> cases[] = {
            { "createFails", FileStep::CreateExclusive, EACCES },
            { "writeFails", FileStep::Write, ENOSPC },
            { "closeFails", FileStep::Close, EIO },
            { "linkFails", FileStep::RenameNoReplace, EROFS },
        };
        for (const auto& [name, step, errorNumber] : cases) {
            TempFolder folder;
            const std::string queue = folder / QueueFileName;
            FailingFileOps ops(step, 1, errorNumber);
            const FileError error = WriteQueueFile(queue, "/a/x.agl", ops);
            EXPECT_TRUE(ops.Injected()) << name;
            EXPECT_EQ(error.ErrorNumber, errorNumber) << name;
            EXPECT_EQ(error.Message,
                "Could not hand the list over through \"" + queue + "\": " + std::strerror(errorNumber) + ".")
                << name;
            EXPECT_TRUE(folder.Names().empty()) << name;
        }
    }

    // Reads like the system, except that the first read lets another process take the same
    // queue file in the middle of this take.
    class InterruptedRead : public FileOps {
    public:
        explicit InterruptedRead(std::string queuePath)
            : Queue(std::move(queuePath))
        {
        }
        ssize_t Read(int fd, char* buffer, std::size_t size) override
        {
            if (!Interrupted) {
                Interrupted = true;
                Other = TakeQueueFile(Queue);
            }
            return FileOps::Read(fd, buffer, size);
        }
        std::string Queue;
        bool Interrupted = false;
        std::optional<QueueRequest> Other;
    };

    TEST(QueueFileTest, OfTwoTakingAtOnceExactlyOneGetsTheRequest)
    {
        TempFolder folder;
        const std::string queue = folder / QueueFileName;
        ASSERT_EQ(WriteQueueFile(queue, "/a/x.agl").Message, "");
        InterruptedRead ops(queue);
        const std::optional<QueueRequest> mine = TakeQueueFile(queue, ops);
        ASSERT_TRUE(ops.Interrupted);
        EXPECT_NE(mine.has_value(), ops.Other.has_value());
        EXPECT_EQ((mine ? mine : ops.Other).value_or(QueueRequest {}).ListPath, "/a/x.agl");
        EXPECT_TRUE(folder.Names().empty());
    }

    TEST(QueueFileTest, OnlyTheFirstLineCountsWhateverItsLineEnd)
    {
        const std::tuple<const char*, std::string, std::string> cases[] = {
            { "empty", "", "" },
            { "emptyLine", "\r\n/a/y.agl\r\n", "" },
            { "crLf", "/a/x.agl\r\n/a/y.agl\r\n", "/a/x.agl" },
            { "lf", "/a/x.agl\n", "/a/x.agl" },
            { "loneCr", "/a/x.agl\r/a/y.agl", "/a/x.agl" },
            { "noLineEnd", "/a/x.agl", "/a/x.agl" },
            { "tabKept", "/tmp/a b\tc.agl\r\n", "/tmp/a b\tc.agl" },
        };
        TempFolder folder;
        const std::string queue = folder / QueueFileName;
        for (const auto& [name, bytes, path] : cases) {
            WriteBytes(queue, bytes);
            const std::optional<QueueRequest> request = TakeQueueFile(queue);
            ASSERT_TRUE(request.has_value()) << name;
            EXPECT_EQ(request->ListPath, path) << name;
            EXPECT_TRUE(folder.Names().empty()) << name;
        }
    }

} // namespace
} // namespace agendrix
