#include "model/QueueFile.h"

#include "TestSupport.h"

namespace agendrix {
namespace {

    using test::ReadBytes;
    using test::TempFolder;
    using test::WriteBytes;

    TEST(QueueFileTest, HandOverIsTakenOnce)
    {
        TempFolder folder;
        const std::string queue = folder / "queue.ini";
        ASSERT_EQ(WriteQueueFile(queue, "/home/me/lists/home.agl").Message, "");
        EXPECT_EQ(ReadBytes(queue), "/home/me/lists/home.agl\r\n");

        const std::optional<QueueRequest> first = TakeQueueFile(queue);
        ASSERT_TRUE(first.has_value());
        EXPECT_EQ(first->ListPath, "/home/me/lists/home.agl");
        EXPECT_TRUE(folder.Names().empty());
        EXPECT_FALSE(TakeQueueFile(queue).has_value());
    }

    TEST(QueueFileTest, NewerRequestReplacesUnreadOne)
    {
        TempFolder folder;
        const std::string queue = folder / "queue.ini";
        ASSERT_EQ(WriteQueueFile(queue, "/a/first.agl").Message, "");
        ASSERT_EQ(WriteQueueFile(queue, "/a/second.agl").Message, "");
        EXPECT_EQ(TakeQueueFile(queue)->ListPath, "/a/second.agl");
        EXPECT_TRUE(folder.Names().empty());
    }

    TEST(QueueFileTest, EmptyPathHandsOverEmptyRequest)
    {
        TempFolder folder;
        const std::string queue = folder / "queue.ini";
        ASSERT_EQ(WriteQueueFile(queue, "").Message, "");
        const std::optional<QueueRequest> request = TakeQueueFile(queue);
        ASSERT_TRUE(request.has_value());
        EXPECT_EQ(request->ListPath, "");
    }

    TEST(QueueFileTest, NonAsciiPathsSurvive)
    {
        TempFolder folder;
        const std::string queue = folder / "queue.ini";
        for (const std::string path :
            { "/home/zoë/été.agl", "/home/me/買い物リスト.agl", "/tmp/a b\tc.agl" }) {
            SCOPED_TRACE(path);
            ASSERT_EQ(WriteQueueFile(queue, path).Message, "");
            const std::optional<QueueRequest> request = TakeQueueFile(queue);
            ASSERT_TRUE(request.has_value());
            EXPECT_EQ(request->ListPath, path);
        }
    }

    TEST(QueueFileTest, PathIsWrittenInWindows1252WhereItFits)
    {
        TempFolder folder;
        const std::string queue = folder / "queue.ini";
        ASSERT_EQ(WriteQueueFile(queue, "/home/zoë/été.agl").Message, "");
        EXPECT_EQ(ReadBytes(queue), "/home/zo\xEB/\xE9t\xE9.agl\r\n");
    }

    TEST(QueueFileTest, OnlyTheFirstLineCountsWhateverItsLineEnd)
    {
        TempFolder folder;
        const std::string queue = folder / "queue.ini";
        for (const std::string bytes :
            { "/a/x.agl\r\n/a/y.agl\r\n", "/a/x.agl\n", "/a/x.agl\r/a/y.agl", "/a/x.agl" }) {
            WriteBytes(queue, bytes);
            const std::optional<QueueRequest> request = TakeQueueFile(queue);
            ASSERT_TRUE(request.has_value());
            EXPECT_EQ(request->ListPath, "/a/x.agl") << ::testing::PrintToString(bytes);
            EXPECT_TRUE(folder.Names().empty());
        }
    }

} // namespace
} // namespace agendrix
