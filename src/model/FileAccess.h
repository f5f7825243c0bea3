#pragma once

#include "FileOps.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix {

struct FileError {
    std::string Path;
    int ErrorNumber = 0;
    // One sentence for the user that names the file and the reason.
    std::string Message;
};

struct ReadResult {
    enum class Status { Read, Missing, Failed };
    Status What = Status::Read;
    std::string Bytes;
    FileError Error; // set when Failed
};

// Our files are small; a larger one is refused rather than read into memory.
inline constexpr std::uint64_t MaxFileSize = 1ULL << 30;

// Reads a regular file whole; a folder, a device or a FIFO is refused with an error naming it.
ReadResult ReadWholeFile(const std::string& path, FileOps& ops = SystemFileOps());

// Writes `bytes` as the whole new content of `path` without ever leaving a half-written file:
// a new file is written in the same folder (without a name where the file system allows it),
// synced and renamed over the target, and the folder is synced. Only a regular file is replaced
// (a symbolic link is written through to it); anything else is refused. The new file takes over
// the replaced file's owner, group and permission bits. On failure the old file is untouched,
// nothing of the new one is left and the error says why. Returns an empty error Message on
// success.
FileError SaveFileAtomically(const std::string& path, std::string_view bytes, FileOps& ops = SystemFileOps());

// Hands on the next piece of a file's bytes; false once the piece could not be written.
using WritePiece = std::function<bool(std::string_view piece)>;
// Calls `write` with each piece of a file's bytes in turn, and stops once it returns false;
// returns what the last call returned (true when there was nothing to write).
using FileProducer = std::function<bool(const WritePiece& write)>;

// The same for bytes made piece by piece, so that a large file need not be held whole in memory
// beside what it is made from. A failure anywhere, while making the bytes too, leaves the old
// file as it was.
FileError SaveFileAtomically(
    const std::string& path, const FileProducer& produce, FileOps& ops = SystemFileOps());

// Removes the temporary files that saves of `path` left behind when they were killed between
// naming their new file and renaming it. Call it only while holding the path's FileLock, so
// that no other save of the same file is under way.
void RemoveStaleTemporaries(const std::string& path, FileOps& ops = SystemFileOps());

// Writes all of `bytes` to `fd`, taking short and interrupted writes in its stride; false with
// the reason in errno when a write fails.
bool WriteAllBytes(FileOps& ops, int fd, std::string_view bytes);

// The file a save of `path` replaces: the target of a symbolic link, the path itself otherwise.
std::string SaveTarget(const std::string& path);

// A hidden file beside `path` that belongs to it: "/lists/.home.agl" + suffix.
std::string SiblingPath(const std::string& path, std::string_view suffix);

// Walks text line by line, taking CR LF, LF, a lone CR or CR CR LF as a line end. A final line
// end does not start another line.
class LineCursor {
public:
    explicit LineCursor(std::string_view text);
    // The next line, or nothing at the end of the text.
    std::optional<std::string_view> Next();

private:
    const char* Find(const char* from, char c) const;
    // Bytes of the line end at `lineEnd`, a CR or an LF.
    std::size_t LineEndLength(const char* lineEnd) const;

    const char* Start;
    const char* End;
    // The next CR and the next LF, each looked up once with memchr and kept until passed, so
    // that a file without any CR is not searched again for every line.
    const char* NextCr;
    const char* NextLf;
};

std::vector<std::string_view> SplitLines(std::string_view text);

bool FileExists(const std::string& path);

} // namespace agendrix
