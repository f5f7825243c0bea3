#include "TaskStore.h"

#include "TaskLine.h"

#include <algorithm>
#include <span>
#include <stdexcept>
#include <utility>

namespace agendrix {

namespace {
    // The bytes a line held in an arena takes at least: its own and its end or its length.
    std::size_t LeastHeldSize(std::string_view line) { return line.size() + 1; }
} // namespace

void TaskStore::Changed(StoreChange::Kind what, std::size_t index, std::string_view line)
{
    ++Revision_;
    if (Listener)
        Listener(StoreChange { what, index, std::string(line) });
}

void TaskStore::SortIfLoaded() const
{
    if (LinesOrder == Order::AsLoaded) {
        SortLines(List1, Arena, Arena.Size());
        LinesOrder = Order::Sorted;
    }
}

std::size_t TaskStore::Add(std::string_view line)
{
    SortIfLoaded();
    const LineHandle held = Arena.Append(line);
    const std::string_view heldLine = Arena.View(held);
    LiveBytes += LineArena::AppendedSize(heldLine.size());
    const auto at = std::upper_bound(List1.begin(), List1.end(), heldLine,
        [this](std::string_view a, LineHandle b) { return TaskLineLess(a, Arena.View(b)); });
    const auto index = static_cast<std::size_t>(at - List1.begin());
    RoomForOneMore(List1);
    List1.insert(List1.begin() + static_cast<std::ptrdiff_t>(index), held);
    Changed(StoreChange::Kind::Add, index, heldLine);
    return index;
}

std::optional<std::size_t> TaskStore::Find(std::string_view line, std::size_t near) const
{
    SortIfLoaded();
    if (near < List1.size() && Arena.View(List1[near]) == line)
        return near;
    // The order is total over the bytes: equal lines sit side by side, and the first is found.
    const auto at = std::lower_bound(List1.begin(), List1.end(), line,
        [this](LineHandle a, std::string_view b) { return TaskLineLess(Arena.View(a), b); });
    if (at == List1.end() || Arena.View(*at) != line)
        return std::nullopt;
    return static_cast<std::size_t>(at - List1.begin());
}

void TaskStore::Remove(std::size_t index)
{
    if (index >= List1.size())
        throw std::out_of_range("TaskStore::Remove: no line at that index");
    SortIfLoaded();
    const std::string_view removed = Arena.View(List1[index]);
    List1.erase(List1.begin() + static_cast<std::ptrdiff_t>(index));
    LiveBytes -= std::min(LiveBytes, LeastHeldSize(removed));
    Changed(StoreChange::Kind::Remove, index, removed);
    CompactIfWasteful();
}

std::size_t TaskStore::Replace(std::size_t index, std::string_view line)
{
    if (index >= List1.size())
        throw std::out_of_range("TaskStore::Replace: no line at that index");
    // The new line is copied in first: it may be a view of the line it replaces.
    const std::string kept(line);
    Remove(index);
    return Add(kept);
}

void TaskStore::Clear()
{
    List1 = {};
    LinesOrder = Order::Sorted;
    List2 = {};
    Arena = LineArena {};
    LiveBytes = 0;
    LastAssessed.reset();
    Changed(StoreChange::Kind::Clear, 0, {});
}

void TaskStore::Load(LoadedLines lines)
{
    List1 = std::move(lines.Handles);
    LinesOrder = Order::AsLoaded;
    List2 = {};
    Arena = std::move(lines.Arena);
    LiveBytes = Arena.Size();
    LastAssessed.reset();
    Changed(StoreChange::Kind::Load, 0, {});
}

void TaskStore::Load(TaskStore&& loaded)
{
    if (&loaded == this)
        return;
    std::optional<AssessKey> assessed = loaded.AssessedFor();
    List1 = std::exchange(loaded.List1, {});
    LinesOrder = std::exchange(loaded.LinesOrder, Order::Sorted);
    List2 = {};
    Arena = std::exchange(loaded.Arena, {});
    LiveBytes = std::exchange(loaded.LiveBytes, 0);
    loaded.LastAssessed.reset();
    // The assessment is of these lines: it moves to the revision that Changed is about to make.
    if (assessed)
        assessed->Revision = Revision_ + 1;
    LastAssessed = assessed;
    Changed(StoreChange::Kind::Load, 0, {});
}

std::vector<std::string> TaskStore::FirstLines(std::size_t count) const
{
    count = std::min(count, List1.size());
    std::vector<std::string_view> first;
    first.reserve(count);
    if (LinesOrder == Order::Sorted) {
        for (std::size_t i = 0; i < count; ++i)
            first.push_back(Arena.View(List1[i]));
        return { first.begin(), first.end() };
    }
    // A heap of the least lines so far, the greatest of them on top: each line is looked at once,
    // and most only to be compared with the top.
    const auto less = [](std::string_view a, std::string_view b) { return TaskLineLess(a, b); };
    for (const LineHandle handle : List1) {
        const std::string_view line = Arena.View(handle);
        if (first.size() < count) {
            first.push_back(line);
            std::push_heap(first.begin(), first.end(), less);
        } else if (count > 0 && TaskLineLess(line, first.front())) {
            std::pop_heap(first.begin(), first.end(), less);
            first.back() = line;
            std::push_heap(first.begin(), first.end(), less);
        }
    }
    std::sort_heap(first.begin(), first.end(), less);
    return { first.begin(), first.end() };
}

void TaskStore::Load(const std::vector<std::string>& lines)
{
    LoadedLines loaded;
    std::size_t bytes = 0;
    for (const std::string& line : lines)
        bytes += line.size();
    loaded.Arena.Reserve(lines.size(), bytes);
    loaded.Handles.reserve(lines.size());
    for (const std::string& line : lines)
        loaded.Handles.push_back(loaded.Arena.Append(line));
    Load(std::move(loaded));
}

void TaskStore::CompactIfWasteful()
{
    constexpr std::size_t slack = 1024 * 1024;
    if (Arena.Size() <= 2 * LiveBytes + slack)
        return;
    std::size_t bytes = 0;
    for (const LineHandle handle : List1)
        bytes += Arena.View(handle).size();
    LineArena fresh;
    fresh.Reserve(List1.size(), bytes);
    for (LineHandle& handle : List1)
        handle = fresh.Append(Arena.View(handle));
    Arena = std::move(fresh);
    LiveBytes = Arena.Size();
}

std::optional<AssessKey> TaskStore::AssessedFor() const
{
    if (LastAssessed && LastAssessed->Revision == Revision_)
        return LastAssessed;
    return std::nullopt;
}

namespace {
    // Where a line's code field ends: at its first Tab. A line without a Tab is all code field as
    // far as this goes; only its first two bytes are taken as the code.
    std::size_t CodeFieldEnd(std::string_view line)
    {
        const std::size_t firstTab = line.find('\t');
        return firstTab != std::string_view::npos ? firstTab : std::min<std::size_t>(line.size(), 2);
    }
} // namespace

TaskStore::Recoding TaskStore::RecodeInPlace(const CodeOf& newCode, std::vector<bool>& changed)
{
    Recoding counts;
    for (std::size_t i = 0; i < List1.size(); ++i) {
        const std::string_view line = Arena.View(List1[i]);
        const std::optional<int> code = newCode(line);
        if (!code)
            continue;
        const std::string digits = TwoDigitCode(*code);
        const std::size_t codeEnd = CodeFieldEnd(line);
        if (codeEnd == 2 && line[0] == digits[0] && line[1] == digits[1])
            continue;
        changed[i] = true;
        ++counts.Changed;
        counts.Bytes += LeastHeldSize(line);
        if (codeEnd != 2) {
            ++counts.Grown;
            counts.GrownBytes += digits.size() + line.size() - codeEnd;
            continue;
        }
        char* bytes = Arena.Writable(List1[i]);
        bytes[0] = digits[0];
        bytes[1] = digits[1];
    }
    return counts;
}

void TaskStore::ReplaceGrownLines(
    const CodeOf& newCode, const std::vector<bool>& changed, const Recoding& counts)
{
    // All in one growth of the arena, and a code field of another length is replaced whole, so
    // that no Tab is overwritten.
    Arena.Reserve(counts.Grown, counts.GrownBytes);
    for (std::size_t i = 0; i < List1.size(); ++i) {
        const std::string_view line = Arena.View(List1[i]);
        const std::size_t codeEnd = CodeFieldEnd(line);
        if (!changed[i] || codeEnd == 2)
            continue;
        std::string replaced = TwoDigitCode(newCode(line).value_or(0));
        replaced += line.substr(codeEnd);
        LiveBytes -= std::min(LiveBytes, LeastHeldSize(line));
        LiveBytes += LineArena::AppendedSize(replaced.size());
        List1[i] = Arena.Append(replaced);
    }
}

void TaskStore::Recode(const CodeOf& newCode)
{
    // Lines that keep their text stay in order among themselves, so only the changed ones need
    // sorting; the two runs are then merged. The changed lines are marked first and only then
    // the smaller run is taken out, so that the scratch store holds no more handles than that.
    // Lines not sorted since they were loaded are coded in memory order and sorted once, when
    // they are first read.
    LastAssessed.reset();
    std::vector<bool> changed(List1.size());
    const Recoding counts = RecodeInPlace(newCode, changed);
    if (counts.Grown > 0)
        ReplaceGrownLines(newCode, changed, counts);
    if (LinesOrder == Order::AsLoaded || counts.Changed == 0)
        return;
    const bool changedInScratch = counts.Changed <= List1.size() - counts.Changed;
    const std::size_t front = SplitOff(changed, changedInScratch);
    SortLines(changedInScratch ? std::span(List2) : std::span(List1).first(front), Arena, counts.Bytes);
    MergeScratch(front);
    List2 = {};
}

std::size_t TaskStore::SplitOff(const std::vector<bool>& changed, bool changedInScratch)
{
    List2.clear();
    List2.reserve(static_cast<std::size_t>(std::count(changed.begin(), changed.end(), changedInScratch)));
    std::size_t front = 0;
    for (std::size_t i = 0; i < List1.size(); ++i) {
        if (changed[i] == changedInScratch)
            List2.push_back(List1[i]);
        else
            List1[front++] = List1[i];
    }
    return front;
}

void TaskStore::MergeScratch(std::size_t front)
{
    // From the back, in List1's own storage; each side's line is looked up once per step it makes.
    if (List2.empty())
        return;
    std::size_t i = front;
    std::size_t j = List2.size();
    std::string_view frontLine = i > 0 ? Arena.View(List1[i - 1]) : std::string_view {};
    std::string_view scratchLine = Arena.View(List2[j - 1]);
    for (std::size_t k = List1.size(); j > 0; --k) {
        if (i > 0 && TaskLineLess(scratchLine, frontLine)) {
            List1[k - 1] = List1[--i];
            if (i > 0)
                frontLine = Arena.View(List1[i - 1]);
        } else {
            List1[k - 1] = List2[--j];
            if (j > 0)
                scratchLine = Arena.View(List2[j - 1]);
        }
    }
}

void TaskStore::MarkAssessed(const AssessKey& key) { LastAssessed = key; }

} // namespace agendrix
