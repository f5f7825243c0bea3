#pragma once

#include "FileAccess.h"
#include "ProcessStamp.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix {

inline constexpr std::string_view WaitListFileName = "queue.wait";

// The starts of the program that wait to hand a list over, in the order they were made, kept in
// a file of the program folder that every start reads and changes under an flock. Its first
// line counts the hand-overs served so far, which tells the waiting starts that the running
// instance answers; each further line is one start, "pid start-ticks". A start whose process
// has ended is dropped by the next one that looks; the last start to leave removes the file.
class WaitList {
public:
    using RunningTest = std::function<bool(const ProcessStamp&)>;

    explicit WaitList(std::string path, RunningTest isRunning = IsRunning);

    // Adds `start` before every start that was made after it (ProcessStamp order), so that a
    // start that reaches this point late still gets its turn in the order of starting.
    FileError Join(const ProcessStamp& start);

    struct View {
        std::optional<std::size_t> Position; // 0 at the head; nothing when not in the list
        std::uint64_t Served = 0;
    };
    View Look(const ProcessStamp& start);

    enum class Turn { Served, GaveUp };
    // Takes `start` out; Served counts one more answered hand-over.
    void Leave(const ProcessStamp& start, Turn turn);

    // The waiting starts, head first, with ended processes dropped. For tests and messages.
    std::vector<ProcessStamp> Starts();

private:
    struct Content;
    enum class Missing { Create, Skip };

    // Runs `change` on the file's content under the lock and writes the content back when
    // `change` returns true or ended processes were dropped. An empty list removes the file.
    FileError Change(Missing missing, const std::function<bool(Content&)>& change);
    int OpenLocked(Missing missing);
    void DropEnded(Content& content) const;

    std::string Path;
    RunningTest Running;
};

} // namespace agendrix
