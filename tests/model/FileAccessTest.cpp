#include "model/FileAccess.h"

#include "TestSupport.h"

#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <tuple>

namespace agendrix {
namespace {

    using namespace std::string_literals;
    using test::FailingFileOps;
    using test::FileStep;
    using test::ReadBytes;
    using test::TempFolder;
    using test::WriteBytes;

    TEST(SplitLinesTest, SplitsAtEveryKindOfLineEnd)
    {
        const std::tuple<const char*, std::string, std::vector<std::string>> cases[] = {
            { "empty", "", {} },
            { "lineEndOnly", "\r\n", { "" } },
            { "crLf", "a\r\nb\r\n", { "a", "b" } },
            { "lf", "a\nb\n", { "a", "b" } },
            { "loneCr", "a\rb\r", { "a", "b" } },
            { "finalLineWithoutEnd", "a\r\nb", { "a", "b" } },
            { "emptyMiddleLine", "a\r\n\r\nb", { "a", "", "b" } },
            { "twoLoneCrs", "a\r\rb", { "a", "", "b" } },
            { "crCrLfIsOneLineEnd", "a\r\r\nb\r\r\n", { "a", "b" } },
            { "crCrCrLf", "a\r\r\r\nb", { "a", "", "b" } },
            { "crCrAtEnd", "a\r\r", { "a", "" } },
            { "lfThenLoneCr", "a\n\r", { "a", "" } },
            { "mixedEnds", "a\nb\rc\r\nd", { "a", "b", "c", "d" } },
            { "keepsTabsAndNul", "a\t\0b\r\n"s, { "a\t\0b"s } },
        };
        for (const auto& [name, text, lines] : cases)
            EXPECT_EQ(test::Texts(SplitLines(text)), lines) << name;
    }

    ::testing::AssertionResult NamesFileAndReason(
        const FileError& error, const std::string& path, int errorNumber)
    {
        if (error.ErrorNumber == errorNumber && error.Message.find(path) != std::string::npos
            && error.Message.find(std::strerror(errorNumber)) != std::string::npos)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "error " << error.ErrorNumber << ": " << error.Message;
    }

    TEST(ReadWholeFileTest, MissingFolderAndReadErrors)
    {
        TempFolder folder;
        const ReadResult missing = ReadWholeFile(folder / "nothing.agl");
        EXPECT_EQ(missing.What, ReadResult::Status::Missing);
        EXPECT_TRUE(missing.Bytes.empty());

        const ReadResult isFolder = ReadWholeFile(folder.Path());
        EXPECT_EQ(isFolder.What, ReadResult::Status::Failed);
        EXPECT_TRUE(NamesFileAndReason(isFolder.Error, folder.Path(), EISDIR));

        WriteBytes(folder / "big", std::string(200000, 'x'));
        FailingFileOps ops(FileStep::Read, 2, EIO);
        const ReadResult failed = ReadWholeFile(folder / "big", ops);
        EXPECT_EQ(failed.What, ReadResult::Status::Failed);
        EXPECT_TRUE(NamesFileAndReason(failed.Error, folder / "big", EIO));
        EXPECT_TRUE(failed.Bytes.empty());
    }

    TEST(ReadWholeFileTest, ReadsLargeFileAndPipeWholeAndRetriesInterruptedRead)
    {
        TempFolder folder;
        std::string bytes;
        for (int i = 0; i < 300000; ++i)
            bytes += static_cast<char>(i * 7 % 251);
        WriteBytes(folder / "big", bytes);
        FailingFileOps ops(FileStep::Read, 1, EINTR);
        const ReadResult result = ReadWholeFile(folder / "big", ops);
        ASSERT_EQ(result.What, ReadResult::Status::Read);
        EXPECT_TRUE(ops.Injected());
        EXPECT_EQ(result.Bytes, bytes);

        // A pipe has no size to read up front: the buffer must grow.
        const std::string fifo = folder / "pipe";
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        std::fflush(nullptr);
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            const int fd = ::open(fifo.c_str(), O_WRONLY);
            for (std::string_view rest = bytes; fd >= 0 && !rest.empty();) {
                const ssize_t written = ::write(fd, rest.data(), rest.size());
                if (written <= 0)
                    ::_exit(1);
                rest.remove_prefix(static_cast<std::size_t>(written));
            }
            ::_exit(fd >= 0 ? 0 : 1);
        }
        const ReadResult piped = ReadWholeFile(fifo);
        int status = 0;
        ::waitpid(writer, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        ASSERT_EQ(piped.What, ReadResult::Status::Read);
        EXPECT_EQ(piped.Bytes, bytes);
    }

    // A sparse file far larger than memory is refused up front, neither allocated nor thrown at
    // the caller. Run in a child: the failure being tested for may abort the process.
    TEST(ReadWholeFileTest, HugeSparseFileFailsWithoutExhaustingMemory)
    {
        TempFolder folder;
        const std::string path = folder / "huge.agl";
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        const bool sized = ::ftruncate(fd, off_t { 1 } << 41) == 0;
        ::close(fd);
        if (!sized)
            GTEST_SKIP() << "no sparse 2 TiB file here: " << std::strerror(errno);

        const std::string report = test::RunInChild([&]() -> std::string {
            const ReadResult result = ReadWholeFile(path);
            if (result.What != ReadResult::Status::Failed)
                return "a 2 TiB file was read";
            if (result.Error.Message.find(path) == std::string::npos)
                return "the message does not name the file: " + result.Error.Message;
            return {};
        });
        EXPECT_EQ(report, "");
    }

    TEST(SaveFileAtomicallyTest, ReplacesTheTargetKeepingItsModeNameAndLink)
    {
        TempFolder folder;
        const std::string path = folder / "list.agl";
        WriteBytes(path, "old");
        ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
        const std::string bytes = "Format: 5.0.0\r\n\x00\xB6\xFF\r\n"s + std::string(70000, 'y');
        EXPECT_EQ(SaveFileAtomically(path, bytes).Message, "");
        EXPECT_EQ(ReadBytes(path), bytes);
        struct stat info { };
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640u);
        EXPECT_EQ(SaveFileAtomically(folder / "new.agl", "").Message, "");
        EXPECT_EQ(ReadBytes(folder / "new.agl"), "");

        // 255 bytes is the longest name a Linux file system allows; the temporary file must fit too.
        const std::string longest = std::string(251, 'n') + ".agl";
        WriteBytes(folder / longest, "old");
        EXPECT_EQ(SaveFileAtomically(folder / longest, "new").Message, "");
        EXPECT_EQ(ReadBytes(folder / longest), "new");

        std::filesystem::create_directory(folder / "real");
        WriteBytes(folder / "real/list.agl", "old");
        std::filesystem::create_symlink("real/list.agl", folder / "link.agl");
        EXPECT_EQ(SaveFileAtomically(folder / "link.agl", "new").Message, "");
        EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.agl"));
        EXPECT_EQ(ReadBytes(folder / "real/list.agl"), "new");
        EXPECT_EQ(folder.Names(),
            (std::vector<std::string> { "link.agl", "list.agl", "new.agl", longest, "real" }));
        EXPECT_EQ(folder.Names("real"), std::vector<std::string> { "list.agl" });
    }

    TEST(SaveFileAtomicallyTest, FailedStepReportsAndLeavesNoTemporaryFile)
    {
        enum Outcome { OldKept, NewInPlace, Saved }; // what the target holds afterwards
        // The step, which call of it fails and how, and at most how many bytes each write takes.
        const std::tuple<const char*, FileStep, int, int, Outcome, std::size_t> cases[] = {
            { "createExclusive", FileStep::CreateExclusive, 1, EACCES, OldKept, 0 },
            { "setMode", FileStep::SetMode, 1, EPERM, OldKept, 0 },
            { "write", FileStep::Write, 1, ENOSPC, OldKept, 0 },
            { "shortWritesThenFailure", FileStep::Write, 3, ENOSPC, OldKept, 1000 },
            { "syncData", FileStep::SyncData, 1, EIO, OldKept, 0 },
            { "close", FileStep::Close, 1, EIO, OldKept, 0 },
            { "rename", FileStep::Rename, 1, EXDEV, OldKept, 0 },
            // The rename had already happened: the file is complete under its name.
            { "openFolder", FileStep::OpenFolder, 1, EACCES, NewInPlace, 0 },
            { "syncFolder", FileStep::SyncAll, 1, EIO, NewInPlace, 0 },
            { "temporaryNameTaken", FileStep::CreateExclusive, 1, EEXIST, Saved, 0 },
            { "writeInterrupted", FileStep::Write, 1, EINTR, Saved, 0 },
            { "shortWrites", FileStep::Write, 99, EIO, Saved, 1000 },
            { "syncFolderNotSupported", FileStep::SyncAll, 1, EINVAL, Saved, 0 },
        };
        const std::string old = "Format: 5.0.0\r\n04\tOld task\x00\xE9\r\n"s;
        const std::string bytes = "Format: 5.0.0\r\n" + std::string(5000, 'n');
        for (const auto& [name, step, call, errorNumber, outcome, shortWrite] : cases) {
            TempFolder folder;
            const std::string path = folder / "list.agl";
            WriteBytes(path, old);
            FailingFileOps ops(step, call, errorNumber);
            ops.ShortWrite = shortWrite;

            const FileError error = SaveFileAtomically(path, bytes, ops);

            EXPECT_EQ(ops.Injected(), call == 1 || outcome != Saved) << name;
            if (outcome == Saved) {
                EXPECT_EQ(error.Message, "") << name;
            } else {
                EXPECT_EQ(error.Path, path) << name;
                EXPECT_TRUE(NamesFileAndReason(error, path, errorNumber)) << name;
            }
            EXPECT_EQ(ReadBytes(path), outcome == OldKept ? old : bytes) << name;
            EXPECT_EQ(folder.Names(), std::vector<std::string> { "list.agl" }) << name;
        }
    }

    // As root, mode bits do not stop writes: a child that gave up root tries the save.
    TEST(SaveFileAtomicallyTest, ReadOnlyFolderFailsAndKeepsOldFile)
    {
        TempFolder folder;
        ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
        std::filesystem::create_directory(folder / "ro");
        const std::string path = folder / "ro/list.agl";
        WriteBytes(path, "old\r\n");
        ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
        ASSERT_EQ(::chmod((folder / "ro").c_str(), 0555), 0);

        const std::string report = test::RunInChild([&]() -> std::string {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                return "SKIP: cannot drop privileges: " + std::string(std::strerror(errno));
            const FileError error = SaveFileAtomically(path, "new\r\n");
            if (error.Message.empty())
                return "the save into a read-only folder succeeded";
            if (!NamesFileAndReason(error, path, EACCES))
                return "unexpected error: " + error.Message;
            return {};
        });
        if (report.starts_with("SKIP: "))
            GTEST_SKIP() << report;
        EXPECT_EQ(report, "");
        EXPECT_EQ(ReadBytes(path), "old\r\n");
        EXPECT_EQ(folder.Names("ro"), std::vector<std::string> { "list.agl" });
    }

    // A 64 kB tmpfs, mounted in a private mount namespace of a child process and filled up.
    TEST(SaveFileAtomicallyTest, FullFileSystemFailsAndKeepsOldFile)
    {
        TempFolder folder;
        const std::string mountPoint = folder / "tiny";
        std::filesystem::create_directory(mountPoint);

        const std::string report = test::RunInChild([&]() -> std::string {
            if (::unshare(CLONE_NEWNS) != 0)
                return "SKIP: unshare(CLONE_NEWNS) refused: " + std::string(std::strerror(errno));
            if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
                return "SKIP: cannot make mounts private: " + std::string(std::strerror(errno));
            if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
                return "SKIP: cannot mount tmpfs: " + std::string(std::strerror(errno));
            const std::string path = mountPoint + "/list.agl";
            const std::string old = "Format: 5.0.0\r\n04\tkeep me\r\n";
            WriteBytes(path, old);
            {
                std::ofstream filler(mountPoint + "/filler", std::ios::binary);
                const std::string block(4096, 'f');
                for (int i = 0; i < 64 && filler; ++i)
                    filler.write(block.data(), static_cast<std::streamsize>(block.size())).flush();
            }
            const FileError error = SaveFileAtomically(path, std::string(128 * 1024, 'n'));
            if (error.Message.empty())
                return "saving 128 kB into a full 64 kB file system succeeded";
            if (!NamesFileAndReason(error, path, ENOSPC))
                return "unexpected error: " + error.Message;
            if (ReadBytes(path) != old)
                return "the old file was changed";
            std::vector<std::string> names;
            for (const auto& entry : std::filesystem::directory_iterator(mountPoint))
                names.push_back(entry.path().filename().string());
            std::sort(names.begin(), names.end());
            if (names != std::vector<std::string> { "filler", "list.agl" })
                return "a temporary file was left behind";
            return {};
        });
        if (report.starts_with("SKIP: "))
            GTEST_SKIP() << report;
        EXPECT_EQ(report, "");
    }

} // namespace
} // namespace agendrix
