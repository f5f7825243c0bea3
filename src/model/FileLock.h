#pragma once

#include "FileAccess.h"

#include <string>

namespace agendrix {

// An advisory lock on a file that several programs save: agendrix-cli holds it from reading a
// list to writing it back, the list window while it saves, so that parallel writers never lose
// each other's changes. It is an flock on a hidden lock file beside the file (".home.agl.lock"),
// which the holder removes when it lets go, so that no lock file stays behind.
class FileLock {
public:
    enum class State {
        Held,
        // No lock file can be made there (a read-only folder or file system): nobody can save
        // the file there either, so going on without the lock loses nothing.
        Unavailable,
        // Another program held the lock for the whole wait; Error says so.
        Busy,
    };

    // Tries for the lock on `path` (a symbolic link's target) for up to `waitMs` milliseconds.
    FileLock(const std::string& path, int waitMs);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    State What() const { return Status; }
    // Set when Busy: one sentence naming the file.
    const FileError& Error() const { return Failure; }
    const std::string& LockPath() const { return Path; }

private:
    // One attempt: true when it ended (held, or failed for good), false to try again.
    bool TryOnce(bool lastAttempt);

    std::string File;
    std::string Path; // of the lock file
    int Fd = -1;
    State Status = State::Unavailable;
    FileError Failure;
};

} // namespace agendrix
