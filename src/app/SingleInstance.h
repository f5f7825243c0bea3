#pragma once

#include "CommandLine.h"

#include "model/ProcessStamp.h"
#include "model/ProgramProcesses.h"
#include "model/WaitList.h"

#include <QLockFile>
#include <QString>

#include <memory>
#include <string>

namespace agendrix {

enum class StartRole { Running, HandedOver, NotHandedOver };

// One running instance per program folder, held by a lock file that a crashed instance leaves
// stale and the next start reclaims. Other starts hand their list over through the queue file
// one at a time, in the order they were made (HandOverTurn).
class SingleInstance : private ProgramProcesses {
public:
    // Takes this start's place among the waiting starts at once: made first thing in main(),
    // before Qt starts, it keeps the order of starts made in quick succession.
    explicit SingleInstance(const std::string& programFolder);
    ~SingleInstance() override;

    // Becomes the running instance, or hands the request's list over and returns HandedOver;
    // NotHandedOver when the running instance did not answer or the queue file could not be
    // written, with Problem() saying so. A restart by the program itself ("Refresh") never
    // hands over.
    StartRole Claim(const StartRequest& request);
    // Whether a running process holds the instance lock now, so that this start will most likely
    // hand its list over: a look that takes nothing and changes nothing.
    bool HeldElsewhere() const;
    const std::string& Problem() const { return Message; }
    // Lets the next start be the running instance; for a program about to end without unwinding.
    void Release() { Lock->unlock(); }

private:
    bool TryInstanceLock() override;
    std::vector<ProcessStamp> RecentStarts() override;

    std::string Folder;
    std::unique_ptr<QLockFile> Lock;
    std::string Queue;
    WaitList Line;
    ProcessStamp Self;
    std::string Message;
};

} // namespace agendrix
