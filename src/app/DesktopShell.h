#pragma once

#include "model/Shell.h"

namespace agendrix {

// Opens documents through xdg-open, so that the application starts in the document's folder;
// without xdg-open, Qt's own desktop services open it. Programs are found on the PATH and started
// detached, never through a shell.
class DesktopShell : public Shell {
public:
    void OpenDocument(const std::string& path, const std::string& workingFolder) override;
    std::optional<std::string> FindProgram(const std::string& program) const override;
    bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
};

} // namespace agendrix
