#pragma once

#include "FileOps.h"

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

ReadResult ReadWholeFile(const std::string& path, FileOps& ops = SystemFileOps());

// Writes `bytes` as the whole new content of `path` without ever leaving a half-written file:
// a temporary file in the same folder is written, synced and renamed over the target, and the
// folder is synced. The target keeps its permission bits; a symbolic link is written through.
// On failure the old file is untouched, the temporary file is removed and the error says why.
// Returns an empty error Message on success.
FileError SaveFileAtomically(const std::string& path, std::string_view bytes, FileOps& ops = SystemFileOps());

// Splits text at CR LF, LF or a lone CR. A final line end does not start another line.
std::vector<std::string_view> SplitLines(std::string_view text);

bool FileExists(const std::string& path);

} // namespace agendrix
