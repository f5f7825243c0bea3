#include "ListPreload.h"

#include "DateLogic.h"

#include <utility>

namespace agendrix {

ListPreload::ListPreload(Request request, FileOps& ops, std::function<void()> beforeSort)
    : For(std::move(request))
    , Ops(ops)
    , BeforeSort(std::move(beforeSort))
    , Worker([this](std::stop_token stop) { Run(std::move(stop)); })
{
}

bool ListPreload::Serves(std::string_view listName, const CivilDate& today, int daysPerLevel) const
{
    return listName == For.ListName && today == For.Now.Date && daysPerLevel == For.DaysPerLevel;
}

void ListPreload::Run(std::stop_token stop)
{
    // A stop comes only from the destructor: nobody waits for what is not handed over then.
    ListRead read = ReadList(For.ListName, For.Now.Date, Ops);
    if (stop.stop_requested())
        return;
    HandOverReading(read);
    if (read.Outcome.What == GetListResult::Status::Loaded) {
        // Codes first, in file order: they decide which lines come first, and the first rows can
        // be shown while the rest is sorted.
        AssessDateItems(read.Tasks, For.Now, For.DaysPerLevel);
        if (read.Tasks.Count() > FirstRowCount) {
            HandOverFirst(read);
            if (!RestAskedFor(stop))
                return;
            if (BeforeSort)
                BeforeSort();
        }
        read.Tasks.SortNow();
    }
    HandOverAll(std::move(read));
}

void ListPreload::HandOverReading(const ListRead& read)
{
    const bool quiet = read.Outcome.What == GetListResult::Status::Missing
        || (read.Outcome.What == GetListResult::Status::Loaded && !TellsTheUser(read));
    const std::lock_guard guard(Lock);
    Quiet = quiet;
    Where = Stage::Read;
    StageChanged.notify_all();
}

void ListPreload::HandOverFirst(const ListRead& read)
{
    ListRead first { read.Outcome, read.Conversion, {} };
    first.Tasks.Load(read.Tasks.FirstLines(FirstRowCount));
    AssessDateItems(first.Tasks, For.Now, For.DaysPerLevel);
    first.Tasks.SortNow();
    const std::lock_guard guard(Lock);
    First = std::move(first);
    RestToCome = true;
    Where = Stage::FirstKnown;
    StageChanged.notify_all();
}

void ListPreload::HandOverAll(ListRead read)
{
    const std::lock_guard guard(Lock);
    if (RestToCome)
        Rest = std::move(read.Tasks);
    else
        First = std::move(read);
    Where = Stage::Done;
    StageChanged.notify_all();
    if (Notify)
        Notify();
}

bool ListPreload::RestAskedFor(const std::stop_token& stop)
{
    std::unique_lock guard(Lock);
    return StageChanged.wait(guard, stop, [this] { return RestWanted; });
}

void ListPreload::AskForRest()
{
    RestWanted = true;
    StageChanged.notify_all();
}

bool ListPreload::TellsNothing() const
{
    std::unique_lock guard(Lock);
    StageChanged.wait(guard, [this] { return Where >= Stage::Read; });
    return Quiet;
}

ListRead ListPreload::TakeFirst()
{
    std::unique_lock guard(Lock);
    StageChanged.wait(guard, [this] { return Where >= Stage::FirstKnown; });
    ListRead first = std::move(First.value());
    First.reset();
    return first;
}

bool ListPreload::HasRest() const
{
    const std::lock_guard guard(Lock);
    return RestToCome;
}

bool ListPreload::RestReady() const
{
    const std::lock_guard guard(Lock);
    return Where == Stage::Done;
}

TaskStore ListPreload::TakeRest()
{
    std::unique_lock guard(Lock);
    AskForRest();
    StageChanged.wait(guard, [this] { return Where == Stage::Done; });
    TaskStore rest = std::move(Rest.value());
    Rest.reset();
    return rest;
}

void ListPreload::NotifyWhenReady(std::function<void()> notify)
{
    const std::lock_guard guard(Lock);
    if (notify)
        AskForRest();
    if (Where == Stage::Done && notify) {
        notify();
        return;
    }
    Notify = std::move(notify);
}

} // namespace agendrix
