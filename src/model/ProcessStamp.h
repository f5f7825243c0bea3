#pragma once

#include <compare>
#include <string>
#include <sys/types.h>
#include <vector>

namespace agendrix {

// A process as the wait list of starts knows it: when it started and its id. The start time
// tells a process from a later one that the system gave the same id, and it orders starts as
// they were made: by start time, then by id, which the system hands out in rising order.
struct ProcessStamp {
    unsigned long long StartTicks = 0; // clock ticks from boot to the start; 0 when unknown
    pid_t Pid = 0;

    auto operator<=>(const ProcessStamp&) const = default;
};

// The stamp of a process from /proc; StartTicks stays 0 when /proc cannot tell.
ProcessStamp StampOf(pid_t pid);

// True while the process runs: it exists, is not a zombie waiting to be reaped, and, when the
// stamp has a start time, started at that time.
bool IsRunning(const ProcessStamp& process);

// The running processes of the executable file `executable` (the same file, by whatever path)
// that started at `sinceTicks` or later, in ProcessStamp order. Processes of other users are
// not seen.
std::vector<ProcessStamp> ProcessesOf(const std::string& executable, unsigned long long sinceTicks);

} // namespace agendrix
