#include "model/QueueFile.h"

#include "TestSupport.h"

#include <tuple>

namespace agendrix {
namespace {

    using test::ReadBytes;
    using test::TempFolder;
    using test::WriteBytes;

    TEST(QueueFileTest, HandOverIsTakenOnceAndTheNewestWins)
    {
        TempFolder folder;
        const std::string queue = folder / "queue.ini";
        EXPECT_FALSE(TakeQueueFile(queue).has_value());
        ASSERT_EQ(WriteQueueFile(queue, "/a/first.agl").Message, "");
        ASSERT_EQ(WriteQueueFile(queue, "/home/zoë/été.agl").Message, "");
        EXPECT_EQ(ReadBytes(queue), "/home/zo\xEB/\xE9t\xE9.agl\r\n"); // Windows-1252 where it fits
        EXPECT_EQ(folder.Names(), std::vector<std::string> { "queue.ini" });

        const std::optional<QueueRequest> request = TakeQueueFile(queue);
        ASSERT_TRUE(request.has_value());
        EXPECT_EQ(request->ListPath, "/home/zoë/été.agl");
        EXPECT_TRUE(folder.Names().empty());
        EXPECT_FALSE(TakeQueueFile(queue).has_value());
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
        const std::string queue = folder / "queue.ini";
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
