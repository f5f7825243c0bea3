#include "HandOverTurn.h"

#include "QueueFile.h"

#include <algorithm>
#include <cerrno>

namespace agendrix {

HandOverTurn::HandOverTurn(WaitList& waitList, ProcessStamp self, std::string queuePath, std::string listPath,
    ProgramProcesses& processes, FileOps& ops)
    : Line(waitList)
    , Self(self)
    , QueuePath(std::move(queuePath))
    , ListPath(std::move(listPath))
    , Processes(processes)
    , Ops(ops)
{
}

TurnOutcome HandOverTurn::Step(std::int64_t nowMs)
{
    if (!Started) {
        Started = true;
        LastProgressMs = nowMs;
        LastServed = Line.Look(Self).Served;
    }
    return Where == Stage::InLine ? StepInLine(nowMs) : StepPlaced(nowMs);
}

TurnOutcome HandOverTurn::StepInLine(std::int64_t nowMs)
{
    WaitList::View view = Line.Look(Self);
    if (!view.Position) {
        // Not in the list (joining failed at start-up, or the file was removed): join again.
        if (const FileError error = Line.Join(Self); !error.Message.empty())
            return Fail(error.Message);
        view = Line.Look(Self);
        if (!view.Position)
            return WaitOrGiveUp(nowMs);
    }
    if (view.Served != LastServed) {
        LastServed = view.Served;
        LastProgressMs = nowMs;
    }
    if (*view.Position > 0 || EarlierStartOnItsWay())
        return WaitOrGiveUp(nowMs);
    if (Processes.TryInstanceLock())
        return BecomeRunning();
    const FileError error = WriteQueueFile(QueuePath, ListPath, Ops);
    if (error.ErrorNumber == EEXIST) // a request of a start that is gone, not yet taken
        return WaitOrGiveUp(nowMs);
    if (!error.Message.empty())
        return Fail(error.Message);
    Where = Stage::Placed;
    LastProgressMs = nowMs;
    return TurnOutcome::Waiting;
}

TurnOutcome HandOverTurn::StepPlaced(std::int64_t nowMs)
{
    if (!FileExists(QueuePath))
        return Finish(TurnOutcome::HandedOver);
    if (Processes.TryInstanceLock())
        return BecomeRunning();
    if (nowMs - LastProgressMs < PatienceMs)
        return TurnOutcome::Waiting;
    // Taking the request back races with the running instance taking it: whoever moves the
    // file first has it.
    if (!TakeQueueFile(QueuePath, Ops))
        return Finish(TurnOutcome::HandedOver);
    return WaitOrGiveUp(nowMs);
}

// Starts made at nearly the same moment reach their place in the list in any order, as the
// system shares the processor among them: a start made earlier but not yet in the list would
// join ahead of this one after this one had acted.
bool HandOverTurn::EarlierStartOnItsWay()
{
    const std::vector<ProcessStamp> recent = Processes.RecentStarts();
    return std::any_of(
        recent.begin(), recent.end(), [this](const ProcessStamp& start) { return start < Self; });
}

TurnOutcome HandOverTurn::BecomeRunning()
{
    // A request still in the queue file is this start's own, unread, or one left by a start
    // that is gone: this start opens its own list instead.
    TakeQueueFile(QueuePath, Ops);
    return Finish(TurnOutcome::Running);
}

TurnOutcome HandOverTurn::WaitOrGiveUp(std::int64_t nowMs)
{
    if (nowMs - LastProgressMs < PatienceMs)
        return TurnOutcome::Waiting;
    Message = "The running Agendrix did not answer within " + std::to_string(PatienceMs / 1000) + " seconds"
        + (ListPath.empty() ? std::string(".") : "; \"" + ListPath + "\" was not opened.");
    return Finish(TurnOutcome::NoAnswer);
}

TurnOutcome HandOverTurn::Finish(TurnOutcome outcome)
{
    const bool served = outcome == TurnOutcome::Running || outcome == TurnOutcome::HandedOver;
    Line.Leave(Self, served ? WaitList::Turn::Served : WaitList::Turn::GaveUp);
    return outcome;
}

TurnOutcome HandOverTurn::Fail(std::string message)
{
    Message = std::move(message);
    return Finish(TurnOutcome::Failed);
}

} // namespace agendrix
