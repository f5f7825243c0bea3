#include "model/FileAccess.h"
#include "model/Settings.h"

#include "ModelTest.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sched.h>
#include <sys/mount.h>
#include <sys/sysmacros.h>

namespace agendrix {
namespace {

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

    TEST(ReadWholeFileTest, ReadsLargeFileWholeAndRetriesInterruptedRead)
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
    }

    // A device may never end and a FIFO may block for ever: only regular files are read, and a
    // FIFO without a writer must not hold the reader up either.
    TEST(ReadWholeFileTest, RefusesWhatIsNotARegularFile)
    {
        TempFolder folder;
        ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
        std::filesystem::create_symlink("/dev/zero", folder / "zero.agl");
        const std::tuple<const char*, std::string, int> cases[] = {
            { "fifoWithoutWriter", folder / "pipe", EINVAL },
            { "deviceZero", "/dev/zero", EINVAL },
            { "linkToDeviceZero", folder / "zero.agl", EINVAL },
            { "deviceNull", "/dev/null", EINVAL },
            { "folder", folder.Path(), EISDIR },
        };
        for (const auto& [name, path, errorNumber] : cases) {
            const ReadResult result = ReadWholeFile(path);
            EXPECT_EQ(result.What, ReadResult::Status::Failed) << name;
            EXPECT_EQ(result.Error.ErrorNumber, errorNumber) << name;
            EXPECT_NE(result.Error.Message.find("\"" + path + "\""), std::string::npos) << name;
            EXPECT_TRUE(result.Bytes.empty()) << name;
        }
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
        enum Files { Unnamed, Named, Both }; // the kind of new file the case applies to
        // The step, which call of it fails and how, and at most how many bytes each write takes.
        const std::tuple<const char*, Files, FileStep, int, int, Outcome, std::size_t> cases[] = {
            { "createUnnamed", Unnamed, FileStep::CreateUnnamed, 1, EACCES, OldKept, 0 },
            { "createExclusive", Named, FileStep::CreateExclusive, 1, EACCES, OldKept, 0 },
            { "setOwner", Both, FileStep::SetOwner, 1, EIO, OldKept, 0 },
            { "setMode", Both, FileStep::SetMode, 1, EPERM, OldKept, 0 },
            { "write", Both, FileStep::Write, 1, ENOSPC, OldKept, 0 },
            { "shortWritesThenFailure", Both, FileStep::Write, 3, ENOSPC, OldKept, 1000 },
            { "syncData", Both, FileStep::SyncData, 1, EIO, OldKept, 0 },
            { "linkUnnamed", Unnamed, FileStep::LinkUnnamed, 1, ENOSPC, OldKept, 0 },
            { "close", Both, FileStep::Close, 1, EIO, OldKept, 0 },
            { "rename", Both, FileStep::Rename, 1, EXDEV, OldKept, 0 },
            // The rename had already happened: the file is complete under its name.
            { "openFolder", Both, FileStep::OpenFolder, 1, EACCES, NewInPlace, 0 },
            { "syncFolder", Both, FileStep::SyncAll, 1, EIO, NewInPlace, 0 },
            { "unnamedNotSupported", Unnamed, FileStep::CreateUnnamed, 1, EOPNOTSUPP, Saved, 0 },
            { "temporaryNameTaken", Named, FileStep::CreateExclusive, 1, EEXIST, Saved, 0 },
            { "linkNameTaken", Unnamed, FileStep::LinkUnnamed, 1, EEXIST, Saved, 0 },
            // Giving the file away is not allowed to a user: the group is kept instead.
            { "ownerNotPermitted", Both, FileStep::SetOwner, 1, EPERM, Saved, 0 },
            { "writeInterrupted", Both, FileStep::Write, 1, EINTR, Saved, 0 },
            { "shortWrites", Both, FileStep::Write, 99, EIO, Saved, 1000 },
            { "syncFolderNotSupported", Both, FileStep::SyncAll, 1, EINVAL, Saved, 0 },
        };
        const std::string old = "Format: 5.0.0\r\n04\tOld task\x00\xE9\r\n"s;
        const std::string bytes = "Format: 5.0.0\r\n" + std::string(5000, 'n');
        for (const auto& [name, files, step, call, errorNumber, outcome, shortWrite] : cases) {
            for (const bool unnamed : { true, false }) {
                if ((files == Unnamed && !unnamed) || (files == Named && unnamed))
                    continue;
                const std::string label = std::string(name) + (unnamed ? " (unnamed)" : " (named)");
                TempFolder folder;
                const std::string path = folder / "list.agl";
                WriteBytes(path, old);
                FailingFileOps ops(step, call, errorNumber);
                ops.ShortWrite = shortWrite;
                ops.NoUnnamedFiles = !unnamed;

                const FileError error = SaveFileAtomically(path, bytes, ops);

                EXPECT_EQ(ops.Injected(), call == 1 || outcome != Saved) << label;
                if (outcome == Saved) {
                    EXPECT_EQ(error.Message, "") << label;
                } else {
                    EXPECT_EQ(error.Path, path) << label;
                    EXPECT_TRUE(NamesFileAndReason(error, path, errorNumber)) << label;
                }
                EXPECT_EQ(ReadBytes(path), outcome == OldKept ? old : bytes) << label;
                EXPECT_EQ(folder.Names(), std::vector<std::string> { "list.agl" }) << label;
            }
        }
    }

    // A save replaces a regular file only: never a device, a FIFO or what a link leads to that
    // is not a regular file, which would otherwise be replaced by a plain file.
    TEST(SaveFileAtomicallyTest, RefusesToReplaceWhatIsNotARegularFile)
    {
        TempFolder folder;
        ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        std::filesystem::create_symlink("/proc/self/fd/" + std::to_string(pipeEnds[1]), folder / "out.agl");
        std::filesystem::create_symlink("pipe", folder / "pipe.agl");
        std::filesystem::create_directory(folder / "folder.agl");
        const bool device = ::mknod((folder / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
        const std::tuple<const char*, std::string, int> cases[] = {
            { "fifo", folder / "pipe", EINVAL },
            { "linkToFifo", folder / "pipe.agl", EINVAL },
            { "linkToOwnPipe", folder / "out.agl", EINVAL },
            { "folder", folder / "folder.agl", EISDIR },
            { "device", device ? folder / "null" : folder / "pipe", EINVAL },
        };
        for (const auto& [name, path, errorNumber] : cases) {
            const FileError error = SaveFileAtomically(path, "Format: 5.0.0\r\n");
            EXPECT_EQ(error.ErrorNumber, errorNumber) << name;
            EXPECT_NE(error.Message.find("\"" + path + "\""), std::string::npos) << name;
        }
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        struct stat info { };
        EXPECT_TRUE(::lstat((folder / "pipe").c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
        EXPECT_TRUE(!device || (::lstat((folder / "null").c_str(), &info) == 0 && S_ISCHR(info.st_mode)));
        EXPECT_TRUE(std::filesystem::is_symlink(folder / "out.agl"));
        std::vector<std::string> names { "folder.agl", "out.agl", "pipe", "pipe.agl" };
        if (device)
            names.insert(names.begin() + 1, "null");
        EXPECT_EQ(folder.Names(), names) << "nothing else appeared";
    }

    // Root saving a user's file must leave it the user's, with its mode.
    TEST(SaveFileAtomicallyTest, KeepsOwnerGroupAndModeOfTheReplacedFile)
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "only root can give a file to another user";
        TempFolder folder;
        const std::string path = folder / "list.agl";
        WriteBytes(path, "old");
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
        for (const bool unnamed : { true, false }) {
            FailingFileOps ops(FileStep::Read, 99, 0);
            ops.NoUnnamedFiles = !unnamed;
            ASSERT_EQ(SaveFileAtomically(path, "new", ops).Message, "");
            struct stat info { };
            ASSERT_EQ(::stat(path.c_str(), &info), 0);
            EXPECT_EQ(info.st_uid, 65534u) << unnamed;
            EXPECT_EQ(info.st_gid, 65534u) << unnamed;
            EXPECT_EQ(info.st_mode & 07777, 0600u) << unnamed;
            EXPECT_EQ(ReadBytes(path), "new");
        }
    }

    // A save killed in the middle leaves nothing when the new file has no name yet; one that had
    // to use a temporary name leaves it, and the next save under the lock removes exactly such
    // files of that list.
    TEST(SaveFileAtomicallyTest, KilledSaveLeavesNothingOrWhatTheNextCleanUpRemoves)
    {
        for (const bool unnamed : { true, false }) {
            TempFolder folder;
            const std::string path = folder / "list.agl";
            WriteBytes(path, "old");
            const std::string report = test::RunInChild([&]() -> std::string {
                FailingFileOps ops(FileStep::Read, 99, 0);
                ops.NoUnnamedFiles = !unnamed;
                ops.BeforeWrite = [] { ::raise(SIGKILL); };
                SaveFileAtomically(path, "new", ops);
                return "the save went on after the kill";
            });
            EXPECT_NE(report.find("the child process failed"), std::string::npos) << unnamed;
            EXPECT_EQ(ReadBytes(path), "old");
            EXPECT_EQ(folder.Names().size(), unnamed ? 1u : 2u) << unnamed;
        }

        TempFolder folder;
        const std::string path = folder / "list.agl";
        const std::vector<std::string> others { ".list.agl.12x.tmp", ".list.agl.tmp", ".list.agl.lock",
            ".list.agl.5.tmp.7.tmp", ".other.agl.123.tmp", ".list.agl.5.bak", "list.agl" };
        for (const std::string& name : others)
            WriteBytes(folder / name, "keep");
        for (const char* name : { ".list.agl.1.tmp", ".list.agl.987654321.tmp" })
            WriteBytes(folder / name, "stale");
        RemoveStaleTemporaries(path);
        std::vector<std::string> sorted = others;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(folder.Names(), sorted);
    }

    // Without the waits for the disk a save still replaces the file whole, keeps its mode and
    // leaves nothing else.
    TEST(SaveFileAtomicallyTest, UnsyncedSaveStillReplacesTheFileWhole)
    {
        TempFolder folder;
        const std::string path = folder / SettingsFileName;
        WriteBytes(path, "old");
        ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
        ASSERT_EQ(SaveFileAtomically(path, "new\r\n", UnsyncedFileOps()).Message, "");
        EXPECT_EQ(ReadBytes(path), "new\r\n");
        struct stat info { };
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0600u);
        EXPECT_EQ(folder.Names(), std::vector { std::string(SettingsFileName) });
    }

    TEST(SaveFileAtomicallyTest, SiblingNamesStayWithinTheNameLimit)
    {
        const std::string longName = std::string(240, 'n') + ".agl";
        const std::string otherLong = std::string(240, 'n') + ".AGL";
        const std::tuple<const char*, std::string, std::string> cases[] = {
            { "relative", "list.agl", "./.list.agl.lock" },
            { "root", "/list.agl", "/.list.agl.lock" },
            { "nested", "/a/b/list.agl", "/a/b/.list.agl.lock" },
        };
        for (const auto& [name, path, sibling] : cases)
            EXPECT_EQ(SiblingPath(path, ".lock"), sibling) << name;
        const std::string a = SiblingPath("/x/" + longName, ".lock");
        const std::string b = SiblingPath("/x/" + otherLong, ".lock");
        EXPECT_NE(a, b);
        EXPECT_LE(a.size() - 3, 255u);
        EXPECT_TRUE(a.starts_with("/x/." + std::string(32, 'n') + "."));
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

        const std::string report = RunAsNobody([&]() -> std::string {
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
