#pragma once

#include "ProcessStamp.h"

#include <vector>

namespace agendrix {

// What a start needs to know of the program's other processes while it waits its turn.
class ProgramProcesses {
public:
    virtual ~ProgramProcesses() = default;

    // Takes the lock of the running instance; false while another process holds it.
    virtual bool TryInstanceLock() = 0;

    // Processes of this program that started in the last few seconds, the running instance
    // left out: starts among them may not have reached their place in the wait list yet.
    virtual std::vector<ProcessStamp> RecentStarts() = 0;
};

} // namespace agendrix
