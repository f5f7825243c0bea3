#pragma once

#include "FileAccess.h"

#include <optional>
#include <string>

namespace agendrix {

// A start hands its list path to the running instance through a one-line file in the program
// folder. The file is written whole under a temporary name and only then linked into place, so
// the reader never sees half a path; it is never put over a request that still waits there,
// which fails with ErrorNumber EEXIST and leaves that request as it was.
FileError WriteQueueFile(
    const std::string& queuePath, const std::string& listPath, FileOps& ops = SystemFileOps());

struct QueueRequest {
    std::string ListPath; // possibly empty: only bring the running window to the front
};

// When the queue file exists: takes it, reads its first line, deletes it and returns the path.
// The file is first moved to a name of this process's own, so that of two processes taking it
// at the same time (the running instance reading it, its writer withdrawing it) exactly one
// gets it, and a request is acted on once at most.
std::optional<QueueRequest> TakeQueueFile(const std::string& queuePath, FileOps& ops = SystemFileOps());

} // namespace agendrix
