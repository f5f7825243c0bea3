#pragma once

#include <string>

namespace agendrix {

// Hands files to the desktop: opening a document with its default application. Tests record the
// requests instead.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens `path` with the desktop's default application, started in `workingFolder`. Whether
    // that worked is not reported: the desktop shows its own errors.
    virtual void OpenDocument(const std::string& path, const std::string& workingFolder) = 0;
};

} // namespace agendrix
