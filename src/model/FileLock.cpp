#include "FileLock.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace agendrix {

namespace {
    constexpr int RetryMs = 5;

    void Pause(int ms)
    {
        timespec delay { 0, static_cast<long>(ms) * 1000000L };
        while (::nanosleep(&delay, &delay) != 0 && errno == EINTR) { }
    }
} // namespace

FileLock::FileLock(const std::string& path, int waitMs)
    : File(path)
    , Path(SiblingPath(SaveTarget(path), ".lock"))
{
    const int attempts = waitMs / RetryMs + 1;
    for (int attempt = 1; !TryOnce(attempt == attempts); ++attempt)
        Pause(RetryMs);
}

bool FileLock::TryOnce(bool lastAttempt)
{
    // Read-only is enough for flock, so a lock file another user left can still be locked.
    Fd = ::open(Path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (Fd < 0) {
        Status = State::Unavailable;
        return true;
    }
    if (::flock(Fd, LOCK_EX | LOCK_NB) == 0) {
        // The holder before us removes the lock file as it lets go: a lock on a file that no
        // longer has this name locks nothing, so start again with the name's file.
        struct stat locked {
        }, named {};
        if (::fstat(Fd, &locked) == 0 && ::stat(Path.c_str(), &named) == 0 && locked.st_ino == named.st_ino
            && locked.st_dev == named.st_dev) {
            Status = State::Held;
            return true;
        }
    } else if (errno != EWOULDBLOCK && errno != EINTR) {
        // A file system without flock: nothing to wait for.
        ::close(Fd);
        Fd = -1;
        Status = State::Unavailable;
        return true;
    }
    ::close(Fd);
    Fd = -1;
    if (!lastAttempt)
        return false;
    Status = State::Busy;
    Failure = FileError { File, EWOULDBLOCK,
        "Could not change \"" + File + "\": another program kept it locked while it was changing it." };
    return true;
}

FileLock::~FileLock()
{
    if (Status != State::Held)
        return;
    ::unlink(Path.c_str());
    ::close(Fd);
}

} // namespace agendrix
