#pragma once

#include "FileOps.h"
#include "ProgramProcesses.h"
#include "WaitList.h"

#include <cstdint>
#include <string>

namespace agendrix {

enum class TurnOutcome { Waiting, Running, HandedOver, NoAnswer, Failed };

// The way of one start through the wait list to the running instance. Only the start at the
// head of the list acts, and only once no start made before it is still on its way to the
// list: it becomes the running instance when it can take the instance lock, else it places
// its request in the queue file once the file is free and waits until the running instance
// has taken it. So every request arrives, one after another, in the order the starts were
// made.
//
// A start gives up after PatienceMs without progress (no request served while it waits, its
// own request not taken): it takes its request back, so that "no answer" always means that
// the list was not handed over. When the running instance ends before it takes the request,
// this start takes the request back and becomes the running instance itself.
class HandOverTurn {
public:
    static constexpr std::int64_t PatienceMs = 5000;

    HandOverTurn(WaitList& waitList, ProcessStamp self, std::string queuePath, std::string listPath,
        ProgramProcesses& processes, FileOps& ops = SystemFileOps());

    // One look at the situation, without waiting; `nowMs` is a steady time in milliseconds.
    // Call again while it returns Waiting. The start has left the wait list on every other
    // outcome.
    TurnOutcome Step(std::int64_t nowMs);

    // One sentence for the user after NoAnswer or Failed.
    const std::string& Problem() const { return Message; }

private:
    enum class Stage { InLine, Placed };

    TurnOutcome StepInLine(std::int64_t nowMs);
    TurnOutcome StepPlaced(std::int64_t nowMs);
    bool EarlierStartOnItsWay();
    TurnOutcome BecomeRunning();
    TurnOutcome WaitOrGiveUp(std::int64_t nowMs);
    TurnOutcome Finish(TurnOutcome outcome);
    TurnOutcome Fail(std::string message);

    WaitList& Line;
    ProcessStamp Self;
    std::string QueuePath;
    std::string ListPath;
    ProgramProcesses& Processes;
    FileOps& Ops;

    Stage Where = Stage::InLine;
    bool Started = false;
    std::int64_t LastProgressMs = 0;
    std::uint64_t LastServed = 0;
    std::string Message;
};

} // namespace agendrix
