#pragma once

#include <optional>
#include <string>
#include <vector>

namespace agendrix {

// Hands files and programs to the desktop: opening a document with its default application,
// finding and starting a program. Tests record the requests instead.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens `path` with the desktop's default application, started in `workingFolder`. Whether
    // that worked is not reported: the desktop shows its own errors.
    virtual void OpenDocument(const std::string& path, const std::string& workingFolder) = 0;
    // The full path of `program` as the PATH finds it; nothing when it is not installed. Without a
    // desktop, no program is found.
    virtual std::optional<std::string> FindProgram(const std::string&) const { return std::nullopt; }
    // Starts `program` with `arguments`, detached from this program and never through a shell;
    // false when it could not be started.
    virtual bool StartProgram(const std::string&, const std::vector<std::string>&) { return false; }
};

} // namespace agendrix
