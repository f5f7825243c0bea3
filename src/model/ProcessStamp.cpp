#include "ProcessStamp.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace agendrix {

namespace {

    struct ProcStat {
        char State = '?';
        unsigned long long StartTicks = 0;
    };

    bool SameFile(const struct stat& a, const struct stat& b)
    {
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    }

    bool Ended(const ProcStat& stat) { return stat.State == 'Z' || stat.State == 'X'; }

    // /proc/PID/stat: "pid (name) state ppid ...", where the name may hold blanks and
    // parentheses, so the fields are counted from the last ')'. The start time is field 22.
    std::optional<ProcStat> ReadProcStat(pid_t pid)
    {
        // The kernel hands the whole line over in one read; it is a few hundred bytes long.
        std::array<char, 4096> buffer;
        const int fd = ::open(("/proc/" + std::to_string(pid) + "/stat").c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return std::nullopt;
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        ::close(fd);
        const std::string_view line(buffer.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
        const std::size_t nameEnd = line.rfind(')');
        if (nameEnd == std::string_view::npos)
            return std::nullopt;
        std::string_view rest = line.substr(nameEnd + 1);
        ProcStat stat;
        for (int field = 3; field <= 22; ++field) {
            const std::size_t begin = rest.find_first_not_of(' ');
            if (begin == std::string_view::npos)
                return std::nullopt;
            rest.remove_prefix(begin);
            const std::string_view value = rest.substr(0, rest.find(' '));
            if (field == 3)
                stat.State = value.front();
            if (field == 22
                && std::from_chars(value.data(), value.data() + value.size(), stat.StartTicks).ec
                    != std::errc {})
                return std::nullopt;
            rest.remove_prefix(value.size());
        }
        return stat;
    }

} // namespace

ProcessStamp StampOf(pid_t pid)
{
    const std::optional<ProcStat> stat = ReadProcStat(pid);
    return ProcessStamp { stat ? stat->StartTicks : 0, pid };
}

bool IsRunning(const ProcessStamp& process)
{
    if (process.Pid <= 0 || (::kill(process.Pid, 0) != 0 && errno != EPERM))
        return false;
    const std::optional<ProcStat> stat = ReadProcStat(process.Pid);
    if (!stat)
        return true; // no /proc: the signal check is all there is
    return !Ended(*stat) && (process.StartTicks == 0 || stat->StartTicks == process.StartTicks);
}

std::vector<ProcessStamp> ProcessesOf(const std::string& executable, unsigned long long sinceTicks)
{
    std::vector<ProcessStamp> found;
    struct stat program { };
    if (::stat(executable.c_str(), &program) != 0)
        return found;
    std::error_code error;
    for (std::filesystem::directory_iterator entry("/proc", error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        pid_t pid = 0;
        const auto [stop, bad] = std::from_chars(name.data(), name.data() + name.size(), pid);
        struct stat running { };
        if (bad != std::errc {} || stop != name.data() + name.size()
            || ::stat(("/proc/" + name + "/exe").c_str(), &running) != 0 || !SameFile(running, program))
            continue;
        const std::optional<ProcStat> stat = ReadProcStat(pid);
        if (stat && !Ended(*stat) && stat->StartTicks >= sinceTicks)
            found.push_back(ProcessStamp { stat->StartTicks, pid });
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace agendrix
