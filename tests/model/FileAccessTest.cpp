#include "model/FileAccess.h"

#include "TestSupport.h"

#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

namespace agendrix {
namespace {

    using namespace std::string_literals;
    using test::FailingFileOps;
    using test::FileStep;
    using test::ReadBytes;
    using test::TempFolder;
    using test::WriteBytes;

    struct SplitCase {
        std::string Name;
        std::string Text;
        std::vector<std::string> Lines;
    };

    class SplitLinesTest : public ::testing::TestWithParam<SplitCase> { };

    TEST_P(SplitLinesTest, SplitsAtEveryKindOfLineEnd)
    {
        const std::vector<std::string_view> split = SplitLines(GetParam().Text);
        EXPECT_EQ(std::vector<std::string>(split.begin(), split.end()), GetParam().Lines);
        LineCursor cursor(GetParam().Text);
        std::vector<std::string> walked;
        while (const auto line = cursor.Next())
            walked.emplace_back(*line);
        EXPECT_EQ(walked, GetParam().Lines);
        EXPECT_FALSE(cursor.Next().has_value());
    }

    INSTANTIATE_TEST_SUITE_P(Texts, SplitLinesTest,
        ::testing::Values(SplitCase { "Empty", "", {} }, SplitCase { "LineEndOnly", "\r\n", { "" } },
            SplitCase { "CrLf", "a\r\nb\r\n", { "a", "b" } }, SplitCase { "Lf", "a\nb\n", { "a", "b" } },
            SplitCase { "LoneCr", "a\rb\r", { "a", "b" } },
            SplitCase { "FinalLineWithoutEnd", "a\r\nb", { "a", "b" } },
            SplitCase { "EmptyMiddleLine", "a\r\n\r\nb", { "a", "", "b" } },
            SplitCase { "TwoLoneCrs", "a\r\rb", { "a", "", "b" } },
            SplitCase { "LfThenLoneCr", "a\n\r", { "a", "" } },
            SplitCase { "MixedEnds", "a\nb\rc\r\nd", { "a", "b", "c", "d" } },
            SplitCase { "KeepsTabsAndNul", "a\t\0b\r\n"s, { "a\t\0b"s } }),
        test::CaseName());

    TEST(ReadWholeFileTest, MissingFileIsMissingNotFailed)
    {
        TempFolder folder;
        const ReadResult result = ReadWholeFile(folder / "nothing.agl");
        EXPECT_EQ(result.What, ReadResult::Status::Missing);
        EXPECT_TRUE(result.Bytes.empty());
    }

    TEST(ReadWholeFileTest, FolderFailsWithPathAndReason)
    {
        TempFolder folder;
        const ReadResult result = ReadWholeFile(folder.Path());
        ASSERT_EQ(result.What, ReadResult::Status::Failed);
        EXPECT_EQ(result.Error.ErrorNumber, EISDIR);
        EXPECT_NE(result.Error.Message.find(folder.Path()), std::string::npos) << result.Error.Message;
        EXPECT_NE(result.Error.Message.find(std::strerror(EISDIR)), std::string::npos)
            << result.Error.Message;
    }

    TEST(ReadWholeFileTest, ReadErrorDropsWhatWasRead)
    {
        TempFolder folder;
        WriteBytes(folder / "big", std::string(200000, 'x'));
        FailingFileOps ops(FileStep::Read, 2, EIO);
        const ReadResult result = ReadWholeFile(folder / "big", ops);
        EXPECT_EQ(result.What, ReadResult::Status::Failed);
        EXPECT_EQ(result.Error.ErrorNumber, EIO);
        EXPECT_TRUE(result.Bytes.empty());
    }

    TEST(ReadWholeFileTest, ReadsLargeFileWholeAndRetriesInterruptedRead)
    {
        TempFolder folder;
        std::string bytes;
        for (int i = 0; i < 300000; ++i)
            bytes += static_cast<char>(i * 7 % 256);
        WriteBytes(folder / "big", bytes);
        FailingFileOps ops(FileStep::Read, 1, EINTR);
        const ReadResult result = ReadWholeFile(folder / "big", ops);
        ASSERT_EQ(result.What, ReadResult::Status::Read);
        EXPECT_TRUE(ops.Injected());
        EXPECT_EQ(result.Bytes, bytes);
    }

    // A pipe has no size to read up front: the buffer must grow.
    TEST(ReadWholeFileTest, ReadsPipeOfUnknownSize)
    {
        TempFolder folder;
        const std::string fifo = folder / "pipe";
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        std::string bytes;
        for (int i = 0; i < 300000; ++i)
            bytes += static_cast<char>(i * 13 % 251);
        std::fflush(nullptr);
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            const int fd = ::open(fifo.c_str(), O_WRONLY);
            std::string_view rest = bytes;
            while (fd >= 0 && !rest.empty()) {
                const ssize_t written = ::write(fd, rest.data(), rest.size());
                if (written <= 0)
                    ::_exit(1);
                rest.remove_prefix(static_cast<std::size_t>(written));
            }
            ::_exit(fd >= 0 ? 0 : 1);
        }
        const ReadResult result = ReadWholeFile(fifo);
        int status = 0;
        ::waitpid(writer, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        ASSERT_EQ(result.What, ReadResult::Status::Read);
        EXPECT_EQ(result.Bytes, bytes);
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

        const test::ChildReport report = test::RunInChild([&]() -> std::string {
            const ReadResult result = ReadWholeFile(path);
            if (result.What != ReadResult::Status::Failed)
                return "a 2 TiB file was read";
            if (result.Error.Message.find(path) == std::string::npos)
                return "the message does not name the file: " + result.Error.Message;
            return {};
        });
        EXPECT_EQ(report.Failure, "");
    }

    TEST(SaveFileAtomicallyTest, WritesExactBytesAndKeepsPermissionBits)
    {
        TempFolder folder;
        const std::string path = folder / "list.agl";
        WriteBytes(path, "old");
        ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
        const std::string bytes = "Format: 5.0.0\r\n\x00\xB6\xFF\r\n"s + std::string(70000, 'y');

        const FileError error = SaveFileAtomically(path, bytes);

        EXPECT_EQ(error.Message, "");
        EXPECT_EQ(ReadBytes(path), bytes);
        struct stat info { };
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640u);
        EXPECT_EQ(folder.Names(), std::vector<std::string> { "list.agl" });
    }

    TEST(SaveFileAtomicallyTest, CreatesNewFileAndEmptyFile)
    {
        TempFolder folder;
        EXPECT_EQ(SaveFileAtomically(folder / "new.agl", "abc").Message, "");
        EXPECT_EQ(ReadBytes(folder / "new.agl"), "abc");
        EXPECT_EQ(SaveFileAtomically(folder / "new.agl", "").Message, "");
        EXPECT_EQ(ReadBytes(folder / "new.agl"), "");
    }

    // 255 bytes is the longest name a Linux file system allows; the temporary file must still fit.
    TEST(SaveFileAtomicallyTest, SavesFileWithLongestAllowedName)
    {
        TempFolder folder;
        const std::string path = folder / (std::string(251, 'n') + ".agl");
        WriteBytes(path, "old");
        const FileError error = SaveFileAtomically(path, "new");
        EXPECT_EQ(error.Message, "");
        EXPECT_EQ(ReadBytes(path), "new");
        EXPECT_EQ(folder.Names().size(), 1u);
    }

    TEST(SaveFileAtomicallyTest, WritesThroughSymbolicLink)
    {
        TempFolder folder;
        std::filesystem::create_directory(folder / "real");
        WriteBytes(folder / "real/list.agl", "old");
        std::filesystem::create_symlink("real/list.agl", folder / "link.agl");

        EXPECT_EQ(SaveFileAtomically(folder / "link.agl", "new").Message, "");

        EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.agl"));
        EXPECT_EQ(ReadBytes(folder / "real/list.agl"), "new");
        EXPECT_EQ(folder.Names(), (std::vector<std::string> { "link.agl", "real" }));
        EXPECT_EQ(folder.Names("real"), std::vector<std::string> { "list.agl" });
    }

    TEST(SaveFileAtomicallyTest, RetriesTransientFailures)
    {
        struct Transient {
            FileStep Step;
            int ErrorNumber;
        };
        for (const Transient transient :
            { Transient { FileStep::CreateExclusive, EEXIST }, Transient { FileStep::Write, EINTR } }) {
            SCOPED_TRACE(std::strerror(transient.ErrorNumber));
            TempFolder folder;
            FailingFileOps ops(transient.Step, 1, transient.ErrorNumber);
            EXPECT_EQ(SaveFileAtomically(folder / "list.agl", "new", ops).Message, "");
            EXPECT_EQ(ops.Calls(transient.Step), 2);
            EXPECT_EQ(ReadBytes(folder / "list.agl"), "new");
            EXPECT_EQ(folder.Names(), std::vector<std::string> { "list.agl" });
        }
    }

    struct FaultCase {
        std::string Name;
        FileStep Step;
        int Call;
        int ErrorNumber;
        std::size_t ShortWrite = 0;
    };

    class SaveFaultTest : public ::testing::TestWithParam<FaultCase> { };

    TEST_P(SaveFaultTest, FailedStepReportsAndLeavesOldFileAlone)
    {
        const FaultCase& fault = GetParam();
        TempFolder folder;
        const std::string path = folder / "list.agl";
        const std::string old = "Format: 5.0.0\r\n04\tOld task\x00\xE9\r\n"s;
        WriteBytes(path, old);
        FailingFileOps ops(fault.Step, fault.Call, fault.ErrorNumber);
        ops.ShortWrite = fault.ShortWrite;

        const FileError error = SaveFileAtomically(path, "Format: 5.0.0\r\n" + std::string(5000, 'n'), ops);

        ASSERT_TRUE(ops.Injected());
        EXPECT_EQ(error.Path, path);
        EXPECT_EQ(error.ErrorNumber, fault.ErrorNumber);
        EXPECT_NE(error.Message.find(path), std::string::npos) << error.Message;
        EXPECT_NE(error.Message.find(std::strerror(fault.ErrorNumber)), std::string::npos) << error.Message;
        EXPECT_EQ(ReadBytes(path), old);
        EXPECT_EQ(folder.Names(), std::vector<std::string> { "list.agl" });
    }

    INSTANTIATE_TEST_SUITE_P(Steps, SaveFaultTest,
        ::testing::Values(FaultCase { "CreateExclusive", FileStep::CreateExclusive, 1, EACCES },
            FaultCase { "SetMode", FileStep::SetMode, 1, EPERM },
            FaultCase { "Write", FileStep::Write, 1, ENOSPC },
            FaultCase { "ShortWriteThenFailure", FileStep::Write, 3, ENOSPC, 1000 },
            FaultCase { "SyncData", FileStep::SyncData, 1, EIO },
            FaultCase { "Close", FileStep::Close, 1, EIO },
            FaultCase { "Rename", FileStep::Rename, 1, EXDEV }),
        test::CaseName());

    TEST(SaveFileAtomicallyTest, FolderSyncFailureIsReported)
    {
        TempFolder folder;
        const std::string path = folder / "list.agl";
        FailingFileOps ops(FileStep::SyncAll, 1, EIO);

        const FileError error = SaveFileAtomically(path, "new", ops);

        ASSERT_TRUE(ops.Injected());
        EXPECT_EQ(error.ErrorNumber, EIO);
        EXPECT_NE(error.Message.find(path), std::string::npos) << error.Message;
        EXPECT_NE(error.Message.find(std::strerror(EIO)), std::string::npos) << error.Message;
        // The rename had already happened: the file is complete under its name.
        EXPECT_EQ(ReadBytes(path), "new");
        EXPECT_EQ(folder.Names(), std::vector<std::string> { "list.agl" });
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

        const test::ChildReport report = test::RunInChild([&]() -> std::string {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                return "SKIP: cannot drop privileges: " + std::string(std::strerror(errno));
            const FileError error = SaveFileAtomically(path, "new\r\n");
            if (error.Message.empty())
                return "the save into a read-only folder succeeded";
            if (error.ErrorNumber != EACCES || error.Message.find(path) == std::string::npos
                || error.Message.find(std::strerror(EACCES)) == std::string::npos)
                return "unexpected error: " + error.Message;
            return {};
        });

        if (report.Skipped)
            GTEST_SKIP() << report.SkipReason;
        EXPECT_EQ(report.Failure, "");
        EXPECT_EQ(ReadBytes(path), "old\r\n");
        EXPECT_EQ(folder.Names("ro"), std::vector<std::string> { "list.agl" });
    }

    // A 64 kB tmpfs, mounted in a private mount namespace of a child process and filled up.
    TEST(SaveFileAtomicallyTest, FullFileSystemFailsAndKeepsOldFile)
    {
        TempFolder folder;
        const std::string mountPoint = folder / "tiny";
        std::filesystem::create_directory(mountPoint);

        const test::ChildReport report = test::RunInChild([&]() -> std::string {
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
            if (error.ErrorNumber != ENOSPC || error.Message.find(path) == std::string::npos)
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

        if (report.Skipped)
            GTEST_SKIP() << report.SkipReason;
        EXPECT_EQ(report.Failure, "");
    }

} // namespace
} // namespace agendrix
