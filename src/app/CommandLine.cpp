#include "CommandLine.h"

#include "model/ProgramFolder.h"

#include <filesystem>

namespace agendrix {

StartRequest ParseCommandLine(const std::vector<std::string>& arguments, const std::string& workingFolder)
{
    StartRequest request;
    std::string line;
    for (const std::string& argument : arguments)
        line += (line.empty() ? "" : " ") + argument;
    if (line == "Refresh") {
        request.Kind = StartKind::Refresh;
        return request;
    }
    if (line.starts_with('"'))
        line = line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string {};
    if (line.empty())
        return request;
    std::filesystem::path path(line);
    if (path.is_relative())
        path = std::filesystem::path(workingFolder) / path;
    path = path.lexically_normal();
    const std::string folder = path.parent_path().string();
    const auto name = FindEntryIgnoringCase(folder, path.filename().string());
    request.ListPath = (folder == "/" ? "" : folder) + "/" + name.value_or("");
    return request;
}

} // namespace agendrix
