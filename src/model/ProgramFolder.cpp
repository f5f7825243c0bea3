#include "ProgramFolder.h"

#include <algorithm>
#include <filesystem>

namespace agendrix {

namespace {
    bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b)
    {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
            return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
        });
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

} // namespace agendrix
