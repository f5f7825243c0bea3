#include "FailingFileOps.h"

#include <algorithm>
#include <cerrno>

namespace agendrix::test {

FailingFileOps::FailingFileOps(FileStep step, int failingCall, int errorNumber)
    : Step(step)
    , FailingCall(failingCall)
    , ErrorNumber(errorNumber)
{
}

int FailingFileOps::CreateExclusive(const std::string& path)
{
    return Fails(FileStep::CreateExclusive) ? -1 : FileOps::CreateExclusive(path);
}

int FailingFileOps::CreateUnnamed(const std::string& folder)
{
    if (NoUnnamedFiles) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return Fails(FileStep::CreateUnnamed) ? -1 : FileOps::CreateUnnamed(folder);
}

int FailingFileOps::LinkUnnamed(int fd, const std::string& path)
{
    return Fails(FileStep::LinkUnnamed) ? -1 : FileOps::LinkUnnamed(fd, path);
}

int FailingFileOps::SetOwner(int fd, uid_t owner, gid_t group)
{
    return Fails(FileStep::SetOwner) ? -1 : FileOps::SetOwner(fd, owner, group);
}

int FailingFileOps::OpenFolder(const std::string& path)
{
    return Fails(FileStep::OpenFolder) ? -1 : FileOps::OpenFolder(path);
}

ssize_t FailingFileOps::Read(int fd, char* buffer, std::size_t size)
{
    return Fails(FileStep::Read) ? -1 : FileOps::Read(fd, buffer, size);
}

ssize_t FailingFileOps::Write(int fd, const char* data, std::size_t size)
{
    if (BeforeWrite)
        BeforeWrite();
    if (Fails(FileStep::Write))
        return -1;
    return FileOps::Write(fd, data, ShortWrite > 0 ? std::min(size, ShortWrite) : size);
}

int FailingFileOps::SyncData(int fd) { return Fails(FileStep::SyncData) ? -1 : FileOps::SyncData(fd); }

int FailingFileOps::SyncAll(int fd) { return Fails(FileStep::SyncAll) ? -1 : FileOps::SyncAll(fd); }

int FailingFileOps::SetMode(int fd, mode_t mode)
{
    return Fails(FileStep::SetMode) ? -1 : FileOps::SetMode(fd, mode);
}

int FailingFileOps::Close(int fd)
{
    if (!Fails(FileStep::Close))
        return FileOps::Close(fd);
    FileOps::Close(fd); // a failed close still releases the descriptor on Linux
    errno = ErrorNumber;
    return -1;
}

int FailingFileOps::Rename(const std::string& from, const std::string& to)
{
    return Fails(FileStep::Rename) ? -1 : FileOps::Rename(from, to);
}

int FailingFileOps::RenameNoReplace(const std::string& from, const std::string& to)
{
    return Fails(FileStep::RenameNoReplace) ? -1 : FileOps::RenameNoReplace(from, to);
}

bool FailingFileOps::Fails(FileStep step)
{
    if (step != Step || ++Calls != FailingCall)
        return false;
    Injected_ = true;
    errno = ErrorNumber;
    return true;
}

} // namespace agendrix::test
