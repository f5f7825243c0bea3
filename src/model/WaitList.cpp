#include "WaitList.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace agendrix {

struct WaitList::Content {
    std::uint64_t Served = 0;
    std::vector<ProcessStamp> Starts;
};

namespace {

    template <typename Number> bool ReadNumber(std::string_view& text, Number& value)
    {
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc {})
            return false;
        text.remove_prefix(static_cast<std::size_t>(end - text.data()));
        return true;
    }

    std::string ReadAll(int fd)
    {
        std::string bytes;
        char buffer[4096];
        for (off_t at = 0;;) {
            const ssize_t got = ::pread(fd, buffer, sizeof buffer, at);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return bytes;
            bytes.append(buffer, static_cast<std::size_t>(got));
            at += got;
        }
    }

    bool WriteAll(int fd, std::string_view bytes)
    {
        for (off_t at = 0; !bytes.empty();) {
            const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), at);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                if (written == 0)
                    errno = EIO;
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
            at += written;
        }
        return true;
    }

    std::optional<ProcessStamp> ParseStart(std::string_view text)
    {
        ProcessStamp start;
        if (!ReadNumber(text, start.Pid) || !text.starts_with(' '))
            return std::nullopt;
        text.remove_prefix(1);
        if (!ReadNumber(text, start.StartTicks) || !text.empty() || start.Pid <= 0)
            return std::nullopt;
        return start;
    }

    // The first line counts the served hand-overs; every further line is "pid start-ticks".
    // Lines that do not read so (a file cut short by a crash) are dropped.
    void Parse(std::string_view bytes, std::uint64_t& served, std::vector<ProcessStamp>& starts)
    {
        const std::vector<std::string_view> lines = SplitLines(bytes);
        std::string_view first = lines.empty() ? std::string_view {} : lines.front();
        if (!ReadNumber(first, served) || !first.empty())
            served = 0;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            if (const std::optional<ProcessStamp> start = ParseStart(lines[i]))
                starts.push_back(*start);
        }
    }

    std::string Serialize(std::uint64_t served, const std::vector<ProcessStamp>& starts)
    {
        std::string bytes = std::to_string(served) + "\r\n";
        for (const ProcessStamp& start : starts)
            bytes += std::to_string(start.Pid) + " " + std::to_string(start.StartTicks) + "\r\n";
        return bytes;
    }

    FileError WaitListError(const std::string& path, int errorNumber)
    {
        return FileError { path, errorNumber,
            "Could not take a place among the starts waiting in \"" + path
                + "\": " + std::strerror(errorNumber) + "." };
    }

} // namespace

WaitList::WaitList(std::string path, RunningTest isRunning)
    : Path(std::move(path))
    , Running(std::move(isRunning))
{
}

FileError WaitList::Join(const ProcessStamp& start)
{
    return Change(Missing::Create, [&](Content& content) {
        std::erase(content.Starts, start);
        content.Starts.insert(std::upper_bound(content.Starts.begin(), content.Starts.end(), start), start);
        return true;
    });
}

WaitList::View WaitList::Look(const ProcessStamp& start)
{
    View view;
    Change(Missing::Skip, [&](Content& content) {
        view.Served = content.Served;
        const auto found = std::find(content.Starts.begin(), content.Starts.end(), start);
        if (found != content.Starts.end())
            view.Position = static_cast<std::size_t>(found - content.Starts.begin());
        return false;
    });
    return view;
}

void WaitList::Leave(const ProcessStamp& start, Turn turn)
{
    Change(Missing::Skip, [&](Content& content) {
        const bool found = std::erase(content.Starts, start) > 0;
        if (turn == Turn::Served)
            ++content.Served;
        return found || turn == Turn::Served;
    });
}

std::vector<ProcessStamp> WaitList::Starts()
{
    std::vector<ProcessStamp> starts;
    Change(Missing::Skip, [&](Content& content) {
        starts = content.Starts;
        return false;
    });
    return starts;
}

int WaitList::OpenLocked(Missing missing)
{
    const int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | (missing == Missing::Create ? O_CREAT : 0);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = ::open(Path.c_str(), flags, 0644);
        if (fd < 0)
            return -1;
        int locked;
        while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) { }
        if (locked != 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            return -1;
        }
        // The last start to leave removes the file while it holds the lock: a start that opened
        // the file before then now holds the lock of a file that has no name, and opens again.
        struct stat held { };
        struct stat named { };
        if (::fstat(fd, &held) == 0 && ::stat(Path.c_str(), &named) == 0 && held.st_ino == named.st_ino
            && held.st_dev == named.st_dev)
            return fd;
        ::close(fd);
    }
    errno = EAGAIN;
    return -1;
}

void WaitList::DropEnded(Content& content) const
{
    std::erase_if(content.Starts, [this](const ProcessStamp& start) { return !Running(start); });
}

FileError WaitList::Change(Missing missing, const std::function<bool(Content&)>& change)
{
    Content content;
    const int fd = OpenLocked(missing);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT && missing == Missing::Skip) {
            change(content);
            return {};
        }
        return WaitListError(Path, error);
    }
    Parse(ReadAll(fd), content.Served, content.Starts);
    const std::size_t listed = content.Starts.size();
    DropEnded(content);
    const bool changed = change(content) || content.Starts.size() != listed;
    FileError error;
    if (content.Starts.empty())
        ::unlink(Path.c_str());
    else if (changed) {
        const std::string bytes = Serialize(content.Served, content.Starts);
        if (!WriteAll(fd, bytes) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
            error = WaitListError(Path, errno);
    }
    ::close(fd);
    return error;
}

} // namespace agendrix
