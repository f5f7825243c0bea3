#include "FileAccess.h"

#include "LargeBuffer.h"
#include "ListDocument.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <random>
#include <sys/stat.h>
#include <utility>

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

    std::string TemporaryName(const std::string& target)
    {
        static std::mt19937_64 random { std::random_device {}() };
        std::string suffix(1, '.');
        suffix += std::to_string(random() % 1000000000);
        suffix += ".tmp";
        return SiblingPath(target, suffix);
    }

    // True for a name that TemporaryName gives for `target`: the sibling stem, a dot, digits and
    // ".tmp".
    bool IsTemporaryOf(const std::string& target, std::string_view name)
    {
        const std::string prefix(FileNameOf(SiblingPath(target, ".")));
        constexpr std::string_view suffix = ".tmp";
        if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix)
            || !name.ends_with(suffix))
            return false;
        const std::string_view digits
            = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
        return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    }

    // The file a save writes before it takes the target's place: unnamed where the file system
    // allows it, so that a killed save leaves nothing behind, else under a temporary name.
    struct NewFile {
        int Fd = -1;
        std::string Name; // empty while unnamed
    };

    NewFile CreateNewFile(const std::string& target, FileOps& ops)
    {
        NewFile file { ops.CreateUnnamed(FolderOf(target)), {} };
        if (file.Fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
            return file;
        for (int attempt = 0; attempt < 16 && file.Fd < 0; ++attempt) {
            file.Name = TemporaryName(target);
            file.Fd = ops.CreateExclusive(file.Name);
            if (file.Fd < 0 && errno != EEXIST)
                break;
        }
        return file;
    }

    // Gives an unnamed file a temporary name beside the target, for the rename.
    bool NameNewFile(NewFile& file, const std::string& target, FileOps& ops)
    {
        for (int attempt = 0; attempt < 16 && file.Name.empty(); ++attempt) {
            const std::string name = TemporaryName(target);
            if (ops.LinkUnnamed(file.Fd, name) == 0)
                file.Name = name;
            else if (errno != EEXIST)
                return false;
        }
        return !file.Name.empty();
    }

    // Makes the file's bytes; running out of memory while making them fails the save like any
    // other step, so that the new file is removed.
    bool Produce(const FileProducer& produce, const WritePiece& write)
    {
        try {
            return produce(write);
        } catch (const std::bad_alloc&) {
            errno = ENOMEM;
            return false;
        }
    }

    // Cleans up after a failed step and returns its error.
    FileError Abandon(FileOps& ops, NewFile& file, FileError error)
    {
        if (file.Fd >= 0)
            ops.Close(file.Fd);
        if (!file.Name.empty())
            ops.Unlink(file.Name);
        return error;
    }

    // The replaced file's owner and group go to the new one; a user who may not give a file away
    // keeps at least the group when that is allowed. The mode comes after, as a change of owner
    // clears the set-user-ID and set-group-ID bits. A file that replaces nothing keeps the
    // permissions it was made with, which the user's umask decided.
    bool TakeOverOwnerAndMode(FileOps& ops, int fd, const struct stat* replaced)
    {
        if (replaced == nullptr)
            return true;
        if (ops.SetOwner(fd, replaced->st_uid, replaced->st_gid) != 0) {
            if (errno != EPERM)
                return false;
            if (ops.SetOwner(fd, static_cast<uid_t>(-1), replaced->st_gid) != 0 && errno != EPERM)
                return false;
        }
        return ops.SetMode(fd, replaced->st_mode & 07777) == 0;
    }

    FileError NotRegularFile(const std::string& path, const char* what, mode_t mode)
    {
        if (S_ISDIR(mode))
            return MakeError(path, what, EISDIR);
        return FileError { path, EINVAL, std::string(what) + " \"" + path + "\": it is not a regular file." };
    }

    // The new name must reach the disk too; a folder that cannot be synced is reported, although
    // the file itself is already complete under its name.
    FileError SyncFolderOf(const std::string& path, const std::string& target, FileOps& ops)
    {
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

} // namespace

namespace {
    // Reads the open file to its end into `result.Bytes`, starting with room for `capacity` bytes;
    // false with the error set when a read fails or the file grows past the limit.
    bool ReadToEnd(FileOps& ops, int fd, const std::string& path, std::size_t capacity, ReadResult& result)
    {
        std::size_t used = 0;
        result.Bytes.reserve(capacity);
        AdviseHugePages(result.Bytes.data(), capacity);
        result.Bytes.resize(capacity);
        for (;;) {
            if (used == result.Bytes.size()) {
                if (used >= MaxFileSize) {
                    result.Error = FileError { path, EFBIG,
                        "Could not read \"" + path + "\": it is larger than 1 GiB." };
                    result.Bytes = std::string {};
                    return false;
                }
                result.Bytes.resize(result.Bytes.size() * 2);
            }
            const ssize_t got = ops.Read(fd, result.Bytes.data() + used, result.Bytes.size() - used);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                result.Error = MakeError(path, "Could not read", errno);
                result.Bytes.clear();
                return false;
            }
            if (got == 0)
                break;
            used += static_cast<std::size_t>(got);
        }
        result.Bytes.resize(used);
        return true;
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
    // Only regular files are read: a device or a FIFO may never end or may block.
    struct stat info { };
    if (::fstat(fd, &info) == 0 && !S_ISREG(info.st_mode)) {
        ops.Close(fd);
        result.What = ReadResult::Status::Failed;
        result.Error = NotRegularFile(path, "Could not read", info.st_mode);
        return result;
    }
    if (info.st_size > 0 && static_cast<std::uint64_t>(info.st_size) > MaxFileSize) {
        ops.Close(fd);
        result.What = ReadResult::Status::Failed;
        result.Error
            = FileError { path, EFBIG, "Could not open \"" + path + "\": the file is larger than 1 GiB." };
        return result;
    }
    // Reads straight into the string, which grows as needed should the file grow meanwhile.
    const std::size_t capacity = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 65536;
    if (!ReadToEnd(ops, fd, path, capacity, result))
        result.What = ReadResult::Status::Failed;
    ops.Close(fd);
    return result;
}

FileError SaveFileAtomically(const std::string& path, std::string_view bytes, FileOps& ops)
{
    return SaveFileAtomically(
        path, [bytes](const WritePiece& write) { return write(bytes); }, ops);
}

FileError SaveFileAtomically(const std::string& path, const FileProducer& produce, FileOps& ops)
{
    struct stat existing { };
    const bool hadFile = ::stat(path.c_str(), &existing) == 0;
    if (hadFile && !S_ISREG(existing.st_mode))
        return NotRegularFile(path, "Could not save", existing.st_mode);
    const std::string target = SaveTarget(path);

    NewFile file = CreateNewFile(target, ops);
    if (file.Fd < 0)
        return Abandon(ops, file, MakeError(path, "Could not save", errno));
    const WritePiece write
        = [&ops, &file](std::string_view piece) { return WriteAllBytes(ops, file.Fd, piece); };
    if (!TakeOverOwnerAndMode(ops, file.Fd, hadFile ? &existing : nullptr) || !Produce(produce, write)
        || ops.SyncData(file.Fd) != 0 || !NameNewFile(file, target, ops))
        return Abandon(ops, file, MakeError(path, "Could not save", errno));
    const int fd = std::exchange(file.Fd, -1);
    if (ops.Close(fd) != 0 || ops.Rename(file.Name, target) != 0)
        return Abandon(ops, file, MakeError(path, "Could not save", errno));
    return SyncFolderOf(path, target, ops);
}

bool WriteAllBytes(FileOps& ops, int fd, std::string_view bytes)
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

std::string SaveTarget(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        const auto resolved = std::filesystem::weakly_canonical(path, error);
        if (!error)
            return resolved.string();
    }
    return path;
}

void RemoveStaleTemporaries(const std::string& path, FileOps& ops)
{
    const std::string target = SaveTarget(path);
    std::error_code error;
    std::filesystem::directory_iterator entries(FolderOf(target), error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::string name = entries->path().filename().string();
        if (IsTemporaryOf(target, name) && entries->is_regular_file(error))
            ops.Unlink(entries->path().string());
    }
}

std::string SiblingPath(const std::string& path, std::string_view suffix)
{
    const std::string folder = FolderOf(path);
    const std::string_view name = FileNameOf(path);
    // A name stays within the 255-byte limit of a file name however long the list's own name
    // is: a long one is cut and told apart from others with the same start by its hash.
    std::string stem(name);
    if (name.size() > 200) {
        std::uint64_t hash = 14695981039346656037ULL; // FNV-1a
        for (const char c : name)
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
        stem = std::string(name.substr(0, 32)) + "." + hex;
    }
    return (folder == "/" ? "" : folder) + "/." + stem + std::string(suffix);
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
