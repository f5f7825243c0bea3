#pragma once

// Helpers shared by the model's test suites: temporary folders, whole-file reads and writes,
// a scripted stand-in for the user's answers, file operations that fail on demand, and a way to
// run a check in a forked child (for tests that drop privileges or change mounts).

#include "model/FileOps.h"
#include "model/Prompts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace agendrix {

// Readable failure output for the prompts a test expected.
inline void PrintTo(const PromptRequest& request, std::ostream* out)
{
    static constexpr std::array icons { "None", "Information", "Question", "Exclamation", "Critical" };
    static constexpr std::array buttons { "Ok", "OkCancel", "YesNo", "YesNoCancel", "RestoreDiscard" };
    static constexpr std::array answers { "Ok", "Cancel", "Yes", "No" };
    *out << "{title \"" << request.Title << "\", text \"" << request.Text << "\", icon "
         << icons.at(static_cast<std::size_t>(request.Icon)) << ", buttons "
         << buttons.at(static_cast<std::size_t>(request.Buttons)) << ", default "
         << answers.at(static_cast<std::size_t>(request.Default)) << "}";
}

} // namespace agendrix

namespace agendrix::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "agendrix-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        Root = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Root, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return Root; }
    std::string operator/(std::string_view name) const { return Root + "/" + std::string(name); }

    // The names in the folder, sorted; shows leftover temporary files.
    std::vector<std::string> Names(std::string_view sub = {}) const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(sub.empty() ? Root : *this / sub))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string Root;
};

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

// The lines of a store or a parsed file as strings, to compare them with expected values.
template <typename Lines> std::vector<std::string> Texts(const Lines& lines)
{
    return std::vector<std::string>(lines.begin(), lines.end());
}

// Lines joined with CR LF, each line ended.
inline std::string CrLf(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// Stands in for the user: records every request and answers from a script. A message with only
// an OK button needs no scripted answer; a question without one fails the test.
class ScriptedPrompts : public Prompts {
public:
    PromptAnswer Ask(const PromptRequest& request) override
    {
        Asked.push_back(request);
        if (OnAsk)
            OnAsk(request);
        if (!Answers.empty()) {
            const PromptAnswer answer = Answers.front();
            Answers.pop_front();
            return answer;
        }
        if (request.Buttons != PromptButtons::Ok)
            ADD_FAILURE() << "unscripted question: " << ::testing::PrintToString(request);
        return request.Default;
    }

    std::vector<PromptRequest> Asked;
    std::deque<PromptAnswer> Answers;
    // Runs at each request, to look at the state the model is in while the user is asked.
    std::function<void(const PromptRequest&)> OnAsk;
};

inline PromptRequest InformationMessage(std::string text)
{
    return PromptRequest { "Agendrix", std::move(text), PromptIcon::Information, PromptButtons::Ok,
        PromptAnswer::Ok };
}

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
    FailingFileOps(FileStep step, int failingCall, int errorNumber)
        : Step(step)
        , FailingCall(failingCall)
        , ErrorNumber(errorNumber)
    {
    }

    // When above 0, writes before the failing one hand on at most this many bytes each.
    std::size_t ShortWrite = 0;
    // Makes every file system look like one without unnamed files, as some are.
    bool NoUnnamedFiles = false;
    // Runs before each write, for tests that end the process in the middle of a save.
    std::function<void()> BeforeWrite;

    bool Injected() const { return Injected_; }

    int CreateExclusive(const std::string& path) override
    {
        return Fails(FileStep::CreateExclusive) ? -1 : FileOps::CreateExclusive(path);
    }
    int CreateUnnamed(const std::string& folder) override
    {
        if (NoUnnamedFiles) {
            errno = EOPNOTSUPP;
            return -1;
        }
        return Fails(FileStep::CreateUnnamed) ? -1 : FileOps::CreateUnnamed(folder);
    }
    int LinkUnnamed(int fd, const std::string& path) override
    {
        return Fails(FileStep::LinkUnnamed) ? -1 : FileOps::LinkUnnamed(fd, path);
    }
    int SetOwner(int fd, uid_t owner, gid_t group) override
    {
        return Fails(FileStep::SetOwner) ? -1 : FileOps::SetOwner(fd, owner, group);
    }
    int OpenFolder(const std::string& path) override
    {
        return Fails(FileStep::OpenFolder) ? -1 : FileOps::OpenFolder(path);
    }
    ssize_t Read(int fd, char* buffer, std::size_t size) override
    {
        return Fails(FileStep::Read) ? -1 : FileOps::Read(fd, buffer, size);
    }
    ssize_t Write(int fd, const char* data, std::size_t size) override
    {
        if (BeforeWrite)
            BeforeWrite();
        if (Fails(FileStep::Write))
            return -1;
        return FileOps::Write(fd, data, ShortWrite > 0 ? std::min(size, ShortWrite) : size);
    }
    int SyncData(int fd) override { return Fails(FileStep::SyncData) ? -1 : FileOps::SyncData(fd); }
    int SyncAll(int fd) override { return Fails(FileStep::SyncAll) ? -1 : FileOps::SyncAll(fd); }
    int SetMode(int fd, mode_t mode) override
    {
        return Fails(FileStep::SetMode) ? -1 : FileOps::SetMode(fd, mode);
    }
    int Close(int fd) override
    {
        if (!Fails(FileStep::Close))
            return FileOps::Close(fd);
        FileOps::Close(fd); // a failed close still releases the descriptor on Linux
        errno = ErrorNumber;
        return -1;
    }
    int Rename(const std::string& from, const std::string& to) override
    {
        return Fails(FileStep::Rename) ? -1 : FileOps::Rename(from, to);
    }
    int RenameNoReplace(const std::string& from, const std::string& to) override
    {
        return Fails(FileStep::RenameNoReplace) ? -1 : FileOps::RenameNoReplace(from, to);
    }

private:
    bool Fails(FileStep step)
    {
        if (step != Step || ++Calls != FailingCall)
            return false;
        Injected_ = true;
        errno = ErrorNumber;
        return true;
    }

    FileStep Step;
    int FailingCall;
    int ErrorNumber;
    bool Injected_ = false;
    int Calls = 0; // of Step
};

// Runs `check` in a forked child, which may drop privileges or change its mounts without
// affecting the test process, and returns what it returned: nothing on success, what went wrong
// otherwise, or "SKIP: reason" when the environment does not allow the check.
inline std::string RunInChild(const std::function<std::string()>& check)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return "pipe failed";
    std::fflush(nullptr); // nothing buffered may be written twice
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::string report;
        try {
            report = check();
        } catch (const std::exception& error) {
            report = std::string("exception: ") + error.what();
        }
        // A report is far shorter than a pipe holds, so one write hands it on whole.
        [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string report;
    char buffer[512];
    for (ssize_t got; child > 0 && (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeEnds[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the child process failed: " + report;
    return report;
}

} // namespace agendrix::test
