#include "ProgramFolder.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <unistd.h>

namespace agendrix {

namespace {
    bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b)
    {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
            return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
        });
    }

    // Files of /proc report no size: they are read until the end.
    std::optional<std::string> ReadProcFile(const std::string& path)
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return std::nullopt;
        std::string bytes;
        char buffer[4096];
        ssize_t got;
        while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, static_cast<std::size_t>(got));
        ::close(fd);
        if (got < 0)
            return std::nullopt;
        return bytes;
    }
} // namespace

std::optional<std::string> FindEntryIgnoringCase(const std::string& folder, const std::string& name)
{
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::path(folder) / name, error))
        return name;
    std::filesystem::directory_iterator entries(folder, error);
    if (error)
        return std::nullopt;
    for (const auto& entry : entries) {
        const std::string candidate = entry.path().filename().string();
        if (EqualIgnoringAsciiCase(candidate, name))
            return candidate;
    }
    return std::nullopt;
}

std::string FindProgramFolder(const ProgramFolderInputs& inputs)
{
    if (!inputs.AgendrixHome.empty())
        return inputs.AgendrixHome;
    if (!inputs.ExecutableFolder.empty() && FindEntryIgnoringCase(inputs.ExecutableFolder, "Skins"))
        return inputs.ExecutableFolder;
    const std::string dataHome
        = !inputs.XdgDataHome.empty() ? inputs.XdgDataHome : inputs.Home + "/.local/share";
    return dataHome + "/agendrix";
}

std::optional<std::string> ProgramFolderOfProcess(pid_t pid)
{
    const std::string process = "/proc/" + std::to_string(pid);
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink(process + "/exe", error);
    const std::optional<std::string> read = ReadProcFile(process + "/environ");
    // The environment is empty for a moment while the process is being started.
    if (error || !read || read->empty())
        return std::nullopt;
    const std::string& environment = *read;
    ProgramFolderInputs inputs;
    inputs.ExecutableFolder = executable.parent_path().string();
    // NAME=value entries, each ended by a NUL byte.
    for (std::size_t start = 0, end; start < environment.size(); start = end + 1) {
        end = std::min(environment.find('\0', start), environment.size());
        const std::string_view entry = std::string_view(environment).substr(start, end - start);
        const std::size_t equals = entry.find('=');
        const std::string_view name = entry.substr(0, equals);
        const std::string value(
            equals == std::string_view::npos ? std::string_view {} : entry.substr(equals + 1));
        if (name == "AGENDRIX_HOME")
            inputs.AgendrixHome = value;
        else if (name == "XDG_DATA_HOME")
            inputs.XdgDataHome = value;
        else if (name == "HOME")
            inputs.Home = value;
    }
    return FindProgramFolder(inputs);
}

} // namespace agendrix
