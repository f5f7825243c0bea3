#pragma once

#include "FileAccess.h"

#include <optional>
#include <string>

namespace agendrix {

// A second start hands its list path to the running instance through a one-line file in the
// program folder. The file is written whole under a temporary name and renamed into place, so
// the reader never sees half a path.
FileError WriteQueueFile(
    const std::string& queuePath, const std::string& listPath, FileOps& ops = SystemFileOps());

struct QueueRequest {
    std::string ListPath; // possibly empty: only bring the running window to the front
};

// When the queue file exists: reads its first line, deletes the file and returns the path.
std::optional<QueueRequest> TakeQueueFile(const std::string& queuePath, FileOps& ops = SystemFileOps());

} // namespace agendrix
