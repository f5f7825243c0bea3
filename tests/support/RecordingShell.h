#pragma once

#include "model/Shell.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace agendrix::test {

// A desktop that opens and starts nothing: it records the documents and programs handed to it.
// `Installed` holds the programs the PATH finds, by name, with their full paths; a path in
// `Failing` cannot be started.
class RecordingShell : public Shell {
public:
    void OpenDocument(const std::string& path, const std::string& workingFolder) override
    {
        Opened.emplace_back(path, workingFolder);
    }
    std::optional<std::string> FindProgram(const std::string& program) const override
    {
        const auto found = Installed.find(program);
        return found == Installed.end() ? std::nullopt : std::optional(found->second);
    }
    bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override
    {
        Tried.emplace_back(program, arguments);
        return !Failing.contains(program);
    }

    std::vector<std::pair<std::string, std::string>> Opened;
    std::map<std::string, std::string> Installed;
    std::set<std::string> Failing;
    std::vector<std::pair<std::string, std::vector<std::string>>> Tried; // every start, failed ones too
};

} // namespace agendrix::test
