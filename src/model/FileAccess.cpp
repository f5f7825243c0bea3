#include "FileAccess.h"

#include "LargeBuffer.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <random>
#include <sys/stat.h>

namespace agendrix {

namespace {

    FileError MakeError(const std::string& path, const char* what, int errorNumber)
    {
        return FileError { path, errorNumber,
            std::string(what) + " \"" + path + "\": " + std::strerror(errorNumber) + "." };
    }

    std::string FolderOf(const std::string& path)
    {
        const std::size_t slash = path.rfind('/');
        if (slash == std::string::npos)
            return ".";
        return slash == 0 ? "/" : path.substr(0, slash);
    }

    // The file a save must replace: the target of a symbolic link, the path itself otherwise.
    std::string ResolveTarget(const std::string& path)
    {
        std::error_code error;
        if (std::filesystem::is_symlink(path, error)) {
            const auto resolved = std::filesystem::weakly_canonical(path, error);
            if (!error)
                return resolved.string();
        }
        return path;
    }

    std::string TemporaryName(const std::string& target)
    {
        static std::mt19937_64 random { std::random_device {}() };
        const std::string folder = FolderOf(target);
        // A short prefix of the name says whose file it is while keeping within the 255-byte
        // limit of a file name, however long the target's own name is.
        const std::size_t slash = target.rfind('/');
        const std::string name = target.substr(slash == std::string::npos ? 0 : slash + 1, 32);
        return (folder == "/" ? "" : folder) + "/." + name + "." + std::to_string(random() % 1000000000)
            + ".tmp";
    }

    bool WriteAll(FileOps& ops, int fd, std::string_view bytes)
    {
        while (!bytes.empty()) {
            const ssize_t written = ops.Write(fd, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                if (written == 0)
                    errno = EIO;
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

    // Cleans up after a failed step and returns its error.
    FileError Abandon(FileOps& ops, int fd, const std::string& temporary, FileError error)
    {
        if (fd >= 0)
            ops.Close(fd);
        ops.Unlink(temporary);
        return error;
    }

} // namespace

ReadResult ReadWholeFile(const std::string& path, FileOps& ops)
{
    ReadResult result;
    const int fd = ops.OpenRead(path);
    if (fd < 0) {
        result.What = errno == ENOENT ? ReadResult::Status::Missing : ReadResult::Status::Failed;
        result.Error = MakeError(path, "Could not open", errno);
        return result;
    }
    // Reads straight into the string, which grows as needed: a regular file's size is known
    // up front, a pipe's or a special file's is not.
    struct stat info { };
    std::size_t capacity = 65536;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        if (static_cast<std::uint64_t>(info.st_size) > MaxFileSize) {
            ops.Close(fd);
            result.What = ReadResult::Status::Failed;
            result.Error = FileError { path, EFBIG,
                "Could not open \"" + path + "\": the file is larger than 1 GiB." };
            return result;
        }
        capacity = static_cast<std::size_t>(info.st_size) + 1;
    }
    std::size_t used = 0;
    result.Bytes.reserve(capacity);
    AdviseHugePages(result.Bytes.data(), capacity);
    result.Bytes.resize(capacity);
    for (;;) {
        if (used == result.Bytes.size()) {
            if (used >= MaxFileSize) {
                ops.Close(fd);
                result.What = ReadResult::Status::Failed;
                result.Error
                    = FileError { path, EFBIG, "Could not read \"" + path + "\": it is larger than 1 GiB." };
                result.Bytes = std::string {};
                return result;
            }
            result.Bytes.resize(result.Bytes.size() * 2);
        }
        const ssize_t got = ops.Read(fd, result.Bytes.data() + used, result.Bytes.size() - used);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int errorNumber = errno;
            ops.Close(fd);
            result.What = ReadResult::Status::Failed;
            result.Error = MakeError(path, "Could not read", errorNumber);
            result.Bytes.clear();
            return result;
        }
        if (got == 0)
            break;
        used += static_cast<std::size_t>(got);
    }
    result.Bytes.resize(used);
    ops.Close(fd);
    return result;
}

FileError SaveFileAtomically(const std::string& path, std::string_view bytes, FileOps& ops)
{
    const std::string target = ResolveTarget(path);
    struct stat existing { };
    const bool hadFile = ::stat(target.c_str(), &existing) == 0;

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = TemporaryName(target);
        fd = ops.CreateExclusive(temporary);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return MakeError(path, "Could not save", errno);
    const mode_t mode = hadFile ? (existing.st_mode & 07777) : static_cast<mode_t>(0644);
    if (ops.SetMode(fd, mode) != 0)
        return Abandon(ops, fd, temporary, MakeError(path, "Could not save", errno));
    if (!WriteAll(ops, fd, bytes))
        return Abandon(ops, fd, temporary, MakeError(path, "Could not save", errno));
    if (ops.SyncData(fd) != 0)
        return Abandon(ops, fd, temporary, MakeError(path, "Could not save", errno));
    if (ops.Close(fd) != 0)
        return Abandon(ops, -1, temporary, MakeError(path, "Could not save", errno));
    if (ops.Rename(temporary, target) != 0)
        return Abandon(ops, -1, temporary, MakeError(path, "Could not save", errno));

    // The new name must reach the disk too; a folder that cannot be synced is reported, although
    // the file itself is already complete under its name.
    const int folder = ops.OpenFolder(FolderOf(target));
    if (folder < 0)
        return MakeError(path, "Saved, but could not sync the folder of", errno);
    const int synced = ops.SyncAll(folder);
    const int syncError = errno;
    ops.Close(folder);
    // Some file systems cannot sync a folder at all; the rename is as durable as they allow.
    if (synced != 0 && syncError != EINVAL && syncError != ENOTSUP)
        return MakeError(path, "Saved, but could not sync the folder of", syncError);
    return {};
}

LineCursor::LineCursor(std::string_view text)
    : Start(text.data())
    , End(text.data() + text.size())
    , NextCr(Find(Start, '\r'))
    , NextLf(Find(Start, '\n'))
{
}

const char* LineCursor::Find(const char* from, char c) const
{
    const void* found = from < End ? std::memchr(from, c, static_cast<std::size_t>(End - from)) : nullptr;
    return found ? static_cast<const char*>(found) : End;
}

std::size_t LineCursor::LineEndLength(const char* lineEnd) const
{
    if (*lineEnd == '\n' || NextLf == End)
        return 1;
    if (lineEnd + 1 == NextLf)
        return 2;
    // CR CR LF is what a CR LF file becomes after one more LF to CR LF conversion: one line end.
    if (lineEnd + 2 == NextLf && lineEnd[1] == '\r')
        return 3;
    return 1;
}

std::optional<std::string_view> LineCursor::Next()
{
    if (Start >= End)
        return std::nullopt;
    const char* lineEnd = std::min(NextCr, NextLf);
    const std::string_view line(Start, static_cast<std::size_t>(lineEnd - Start));
    Start = lineEnd == End ? End : lineEnd + LineEndLength(lineEnd);
    if (NextCr < Start)
        NextCr = Find(Start, '\r');
    if (NextLf < Start)
        NextLf = Find(Start, '\n');
    return line;
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    LineCursor cursor(text);
    while (const auto line = cursor.Next())
        lines.push_back(*line);
    return lines;
}

bool FileExists(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0;
}

} // namespace agendrix
