#pragma once

namespace agendrix {

// Registers the program's two file types, task lists (.agl) and completed task items (.cti),
// with the desktop, so that opening such a file starts the program with it. Failures are the
// implementation's to report; the options dialog goes on as if it had worked.
class FileAssociations {
public:
    virtual ~FileAssociations() = default;
    virtual void Associate() = 0;
};

} // namespace agendrix
