#include "model/FileLock.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    // Starts a child that takes the lock on `path`, says so through a pipe, holds it for
    // `holdMs` milliseconds and lets go. Returns the child's process id once it holds the lock.
    pid_t HoldInChild(const std::string& path, int holdMs)
    {
        int ready[2];
        if (::pipe(ready) != 0)
            return -1;
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            const FileLock lock(path, 1000);
            const char held = lock.What() == FileLock::State::Held ? 'y' : 'n';
            [[maybe_unused]] const ssize_t written = ::write(ready[1], &held, 1);
            ::usleep(static_cast<useconds_t>(holdMs) * 1000);
            ::_exit(0);
        }
        char held = 'n';
        [[maybe_unused]] const ssize_t got = ::read(ready[0], &held, 1);
        ::close(ready[0]);
        ::close(ready[1]);
        return held == 'y' ? child : -1;
    }

    int WaitFor(pid_t child)
    {
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    TEST(FileLockTest, HeldLockIsBusyForOthersUntilReleasedAndLeavesNoFile)
    {
        TempFolder folder;
        const std::string path = folder / "list.agl";
        WriteBytes(path, "Format: 5.0.0\r\n");
        {
            const FileLock lock(path, 0);
            ASSERT_EQ(lock.What(), FileLock::State::Held);
            EXPECT_EQ(lock.LockPath(), folder / ".list.agl.lock");
            EXPECT_EQ(folder.Names(), (std::vector<std::string> { ".list.agl.lock", "list.agl" }));
        }
        EXPECT_EQ(folder.Names(), std::vector<std::string> { "list.agl" });

        const pid_t holder = HoldInChild(path, 400);
        ASSERT_GT(holder, 0);
        const FileLock busy(path, 20);
        EXPECT_EQ(busy.What(), FileLock::State::Busy);
        EXPECT_NE(busy.Error().Message.find("\"" + path + "\""), std::string::npos) << busy.Error().Message;
        // Waiting long enough outlasts the holder.
        const FileLock waited(path, 5000);
        EXPECT_EQ(waited.What(), FileLock::State::Held);
        EXPECT_EQ(WaitFor(holder), 0);
    }

    TEST(FileLockTest, LockFileLeftByAKilledHolderIsTakenOverAndRemoved)
    {
        TempFolder folder;
        const std::string path = folder / "list.agl";
        WriteBytes(folder / ".list.agl.lock", "");
        {
            const FileLock lock(path, 0);
            EXPECT_EQ(lock.What(), FileLock::State::Held);
        }
        EXPECT_TRUE(folder.Names().empty());

        // A link and its target share one lock.
        WriteBytes(path, "");
        std::filesystem::create_symlink("list.agl", folder / "link.agl");
        const pid_t holder = HoldInChild(folder / "link.agl", 300);
        ASSERT_GT(holder, 0);
        EXPECT_EQ(FileLock(path, 0).What(), FileLock::State::Busy);
        EXPECT_EQ(WaitFor(holder), 0);
    }

    TEST(FileLockTest, ReadOnlyFolderHasNoLockToTake)
    {
        TempFolder folder;
        ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
        std::filesystem::create_directory(folder / "ro");
        ASSERT_EQ(::chmod((folder / "ro").c_str(), 0555), 0);
        const std::string report = RunAsNobody([&]() -> std::string {
            const FileLock lock(folder / "ro/list.agl", 1000);
            return lock.What() == FileLock::State::Unavailable ? ""
                                                               : "a lock was taken in a read-only folder";
        });
        if (report.starts_with("SKIP: "))
            GTEST_SKIP() << report;
        EXPECT_EQ(report, "");
    }

    // The point of the lock: writers that each read, change and write back the same file lose
    // nothing, however they interleave.
    TEST(FileLockTest, ParallelReadModifyWriteLosesNoUpdate)
    {
        TempFolder folder;
        const std::string path = folder / "count";
        WriteBytes(path, "");
        constexpr int Writers = 8;
        constexpr int Rounds = 10;
        std::vector<pid_t> children;
        std::fflush(nullptr);
        for (int i = 0; i < Writers; ++i) {
            const pid_t child = ::fork();
            if (child == 0) {
                for (int round = 0; round < Rounds; ++round) {
                    const FileLock lock(path, 30000);
                    if (lock.What() != FileLock::State::Held)
                        ::_exit(1);
                    const std::string before = ReadBytes(path);
                    ::usleep(500);
                    if (!SaveFileAtomically(path, before + "x").Message.empty())
                        ::_exit(2);
                }
                ::_exit(0);
            }
            children.push_back(child);
        }
        for (const pid_t child : children)
            EXPECT_EQ(WaitFor(child), 0);
        EXPECT_EQ(ReadBytes(path), std::string(Writers * Rounds, 'x'));
        EXPECT_EQ(folder.Names(), std::vector<std::string> { "count" });
    }

} // namespace
} // namespace agendrix
