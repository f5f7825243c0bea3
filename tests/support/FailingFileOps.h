#pragma once

#include "model/FileOps.h"

#include <cstddef>
#include <functional>
#include <string>

namespace agendrix::test {

enum class FileStep {
    Read,
    CreateUnnamed,
    LinkUnnamed,
    SetOwner,
    CreateExclusive,
    OpenFolder,
    Write,
    SyncData,
    SyncAll,
    SetMode,
    Close,
    Rename,
    RenameNoReplace,
};

// The real file operations, except that the chosen call of one step fails with the chosen errno.
class FailingFileOps : public FileOps {
public:
    // `failingCall` counts the calls of `step` from 1.
    FailingFileOps(FileStep step, int failingCall, int errorNumber);

    // When above 0, writes before the failing one hand on at most this many bytes each.
    std::size_t ShortWrite = 0;
    // Makes every file system look like one without unnamed files, as some are.
    bool NoUnnamedFiles = false;
    // Runs before each write, for tests that end the process in the middle of a save.
    std::function<void()> BeforeWrite;

    bool Injected() const { return Injected_; }

    int CreateExclusive(const std::string& path) override;
    int CreateUnnamed(const std::string& folder) override;
    int LinkUnnamed(int fd, const std::string& path) override;
    int SetOwner(int fd, uid_t owner, gid_t group) override;
    int OpenFolder(const std::string& path) override;
    ssize_t Read(int fd, char* buffer, std::size_t size) override;
    ssize_t Write(int fd, const char* data, std::size_t size) override;
    int SyncData(int fd) override;
    int SyncAll(int fd) override;
    int SetMode(int fd, mode_t mode) override;
    int Close(int fd) override;
    int Rename(const std::string& from, const std::string& to) override;
    int RenameNoReplace(const std::string& from, const std::string& to) override;

private:
    bool Fails(FileStep step);

    FileStep Step;
    int FailingCall;
    int ErrorNumber;
    bool Injected_ = false;
    int Calls = 0; // of Step
};

} // namespace agendrix::test
