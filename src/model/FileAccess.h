#pragma once

#include "FileOps.h"

#include <cstdint>
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

ReadResult ReadWholeFile(const std::string& path, FileOps& ops = SystemFileOps());

// Writes `bytes` as the whole new content of `path` without ever leaving a half-written file:
// a temporary file in the same folder is written, synced and renamed over the target, and the
// folder is synced. The target keeps its permission bits; a symbolic link is written through.
// On failure the old file is untouched, the temporary file is removed and the error says why.
// Returns an empty error Message on success.
FileError SaveFileAtomically(const std::string& path, std::string_view bytes, FileOps& ops = SystemFileOps());

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
