#include "QueueFile.h"

#include "Windows1252.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <unistd.h>

namespace agendrix {

namespace {

    // A name beside the queue file that no other process uses: "." + name + pid + random part.
    std::string PrivateName(const std::string& queuePath, const char* suffix)
    {
        static std::mt19937_64 random { std::random_device {}() };
        const std::size_t slash = queuePath.rfind('/');
        const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
        return queuePath.substr(0, nameStart) + "." + queuePath.substr(nameStart) + "."
            + std::to_string(::getpid()) + "." + std::to_string(random() % 1000000000) + suffix;
    }

    FileError HandOverError(const std::string& queuePath, int errorNumber)
    {
        if (errorNumber == EEXIST)
            return FileError { queuePath, errorNumber,
                "Could not hand the list over through \"" + queuePath + "\": another request waits there." };
        return FileError { queuePath, errorNumber,
            "Could not hand the list over through \"" + queuePath + "\": " + std::strerror(errorNumber)
                + "." };
    }

} // namespace

FileError WriteQueueFile(const std::string& queuePath, const std::string& listPath, FileOps& ops)
{
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = PrivateName(queuePath, ".tmp");
        fd = ops.CreateExclusive(temporary);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return HandOverError(queuePath, errno);
    // No sync: the file lives for a moment between two running processes, and after a crash
    // an empty or missing request only means that no list is handed over.
    const bool written = WriteAllBytes(ops, fd, PathToFileText(listPath) + "\r\n");
    const int writeError = errno;
    if (ops.Close(fd) != 0 || !written) {
        const int error = written ? errno : writeError;
        ops.Unlink(temporary);
        return HandOverError(queuePath, error);
    }
    if (ops.RenameNoReplace(temporary, queuePath) != 0) {
        const int error = errno;
        ops.Unlink(temporary);
        return HandOverError(queuePath, error);
    }
    return {};
}

std::optional<QueueRequest> TakeQueueFile(const std::string& queuePath, FileOps& ops)
{
    const std::string taken = PrivateName(queuePath, ".taken");
    if (ops.Rename(queuePath, taken) != 0)
        return std::nullopt;
    ReadResult read = ReadWholeFile(taken, ops);
    // The file is removed before its path is used, so a request is acted on once at most.
    ops.Unlink(taken);
    if (read.What != ReadResult::Status::Read)
        return QueueRequest {};
    const std::vector<std::string_view> lines = SplitLines(read.Bytes);
    return QueueRequest { lines.empty() ? std::string {} : PathFromFileText(lines.front()) };
}

} // namespace agendrix
