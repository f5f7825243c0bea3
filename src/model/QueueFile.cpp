#include "QueueFile.h"

#include "Windows1252.h"

namespace agendrix {

FileError WriteQueueFile(const std::string& queuePath, const std::string& listPath, FileOps& ops)
{
    return SaveFileAtomically(queuePath, PathToFileText(listPath) + "\r\n", ops);
}

std::optional<QueueRequest> TakeQueueFile(const std::string& queuePath, FileOps& ops)
{
    ReadResult read = ReadWholeFile(queuePath, ops);
    if (read.What == ReadResult::Status::Missing)
        return std::nullopt;
    // The file is removed before its path is used, so a request is acted on once at most.
    ops.Unlink(queuePath);
    if (read.What == ReadResult::Status::Failed)
        return QueueRequest {};
    const std::vector<std::string_view> lines = SplitLines(read.Bytes);
    return QueueRequest { lines.empty() ? std::string {} : PathFromFileText(lines.front()) };
}

} // namespace agendrix
