#pragma once

#include "model/Shell.h"

namespace agendrix {

// Opens documents through xdg-open, so that the application starts in the document's folder;
// without xdg-open, Qt's own desktop services open it.
class DesktopShell : public Shell {
public:
    void OpenDocument(const std::string& path, const std::string& workingFolder) override;
};

} // namespace agendrix
