#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

namespace agendrix {

// The system calls that reading and saving files go through. The model uses this class as it is; tests
// derive from it to make one step fail. Each call returns what the system call returns and
// leaves the reason in errno.
class FileOps {
public:
    virtual ~FileOps() = default;

    virtual int OpenRead(const std::string& path);
    // Creates a new file that did not exist (O_EXCL), with the permissions the user's umask
    // leaves of read and write for all, as any new file.
    virtual int CreateExclusive(const std::string& path);
    // Creates a file without a name in `folder` (O_TMPFILE), with the permissions of a new file:
    // a crash leaves nothing behind. Fails
    // with EOPNOTSUPP, EISDIR or EINVAL where the file system cannot do this.
    virtual int CreateUnnamed(const std::string& folder);
    // Gives a file made by CreateUnnamed the name `path`, which must not exist yet.
    virtual int LinkUnnamed(int fd, const std::string& path);
    virtual int SetOwner(int fd, uid_t owner, gid_t group);
    virtual int OpenFolder(const std::string& path);
    virtual ssize_t Read(int fd, char* buffer, std::size_t size);
    virtual ssize_t Write(int fd, const char* data, std::size_t size);
    virtual int SyncData(int fd);
    virtual int SyncAll(int fd);
    virtual int SetMode(int fd, mode_t mode);
    virtual int Close(int fd);
    virtual int Rename(const std::string& from, const std::string& to);
    // Renames only when `to` does not exist yet; fails with EEXIST otherwise.
    virtual int RenameNoReplace(const std::string& from, const std::string& to);
    virtual int Unlink(const std::string& path);
};

FileOps& SystemFileOps();

// The system calls without the waits for the disk (fdatasync, fsync), for the writes of a
// program that must end at once, as at a logout or shutdown: with much data waiting to be
// written, one sync can take seconds. The file still takes its place whole, by rename; the
// system writes it to the disk soon after, and before it shuts down.
FileOps& UnsyncedFileOps();

} // namespace agendrix
