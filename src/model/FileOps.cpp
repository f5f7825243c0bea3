#include "FileOps.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace agendrix {

// Without O_NONBLOCK, opening a FIFO would wait for a writer before the reader could refuse it.
int FileOps::OpenRead(const std::string& path)
{
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

int FileOps::CreateExclusive(const std::string& path)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
}

int FileOps::CreateUnnamed(const std::string& folder)
{
    return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

int FileOps::LinkUnnamed(int fd, const std::string& path)
{
    // Linking a descriptor itself needs a privilege that only root has; its /proc name does not.
    if (::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0)
        return 0;
    const std::string procName = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, procName.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
}

int FileOps::SetOwner(int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); }

int FileOps::OpenFolder(const std::string& path)
{
    return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

ssize_t FileOps::Read(int fd, char* buffer, std::size_t size) { return ::read(fd, buffer, size); }
ssize_t FileOps::Write(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
int FileOps::SyncData(int fd) { return ::fdatasync(fd); }
int FileOps::SyncAll(int fd) { return ::fsync(fd); }
int FileOps::SetMode(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int FileOps::Close(int fd) { return ::close(fd); }
int FileOps::Rename(const std::string& from, const std::string& to)
{
    return ::rename(from.c_str(), to.c_str());
}

int FileOps::RenameNoReplace(const std::string& from, const std::string& to)
{
    // A hard link fails when the target exists, which makes the check and the rename one step.
    if (::link(from.c_str(), to.c_str()) != 0) {
        if (errno == EEXIST)
            return -1;
        // Some file systems have no hard links: fall back to a check before renaming.
        struct stat info { };
        if (::lstat(to.c_str(), &info) == 0) {
            errno = EEXIST;
            return -1;
        }
        return ::rename(from.c_str(), to.c_str());
    }
    return ::unlink(from.c_str());
}

int FileOps::Unlink(const std::string& path) { return ::unlink(path.c_str()); }

FileOps& SystemFileOps()
{
    static FileOps ops;
    return ops;
}

namespace {
    class WithoutSyncs : public FileOps {
    public:
        int SyncData(int) override { return 0; }
        int SyncAll(int) override { return 0; }
    };
} // namespace

FileOps& UnsyncedFileOps()
{
    static WithoutSyncs ops;
    return ops;
}

} // namespace agendrix
