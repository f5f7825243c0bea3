#pragma once

#include "DateStatus.h"
#include "LineArena.h"
#include "LineOrder.h"
#include "TaskLines.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix {

// One change made to the list, as a later undo history needs to record it.
struct StoreChange {
    enum class Kind { Add, Remove, Clear, Load };
    Kind What = Kind::Add;
    std::size_t Index = 0; // where the line was added or removed
    std::string Line; // the line added or removed (empty for Clear and Load)
};

// Lines read from a file, held in their own arena until a store takes them over.
struct LoadedLines {
    LineArena Arena;
    std::vector<LineHandle> Handles; // in file order

    TaskLines Lines() const { return { Arena, Handles.data(), Handles.size() }; }
};

// The task store of an open list: `List1`, the task lines, always sorted, as handles into the
// store's arena; `List2`, the scratch store used while the date logic changes codes.
// There is no store of status entries: a line's status is worked out from the line and the
// inputs of the last assessment when it is shown (StatusAt in DateLogic.h). Every change to the
// lines goes through Add, Replace, Remove, Clear and Load. A view from Line() or Lines() is
// valid until the next change to the store.
//
// Memory: a list read from a file costs the file's bytes and 4 bytes a line; sorting and
// recoding take at most as much again as the lines they sort, and usually far less.
class TaskStore {
public:
    std::size_t Count() const { return List1.size(); }
    bool Empty() const { return List1.empty(); }
    std::string_view Line(std::size_t index) const
    {
        SortIfLoaded();
        return Arena.View(List1.at(index));
    }
    TaskLines Lines() const
    {
        SortIfLoaded();
        return { Arena, List1.data(), List1.size() };
    }

    // Where `line` is now: `near` when that index still holds it, else the first index that holds
    // the same bytes, or nothing when no line does. A window that keeps a task's index while the
    // list may change under it (a re-sort, an edit elsewhere) finds the task again this way.
    std::optional<std::size_t> Find(std::string_view line, std::size_t near) const;

    // Inserts at the sorted place and returns that index.
    std::size_t Add(std::string_view line);
    // Removes the line at `index` and adds `line` at its own sorted place; returns that index.
    std::size_t Replace(std::size_t index, std::string_view line);
    void Remove(std::size_t index);
    void Clear();
    // Replaces the whole list in O(n log n). The lines are sorted once, when they are first read
    // or edited or by SortNow; a Recode before that codes them in the order they have in memory.
    void Load(LoadedLines lines);
    void Load(const std::vector<std::string>& lines);
    // Takes over the lines of `loaded`, a store filled elsewhere (on another thread, say), as a
    // Load: one revision, reported to this store's listener. An assessment `loaded` holds for its
    // lines as they are stays valid here. `loaded` is left empty.
    void Load(TaskStore&& loaded);

    // Sorts lines not sorted since they were loaded now rather than on their first read: a
    // store that another thread will read must not sort itself inside that thread's const
    // readers.
    void SortNow() const { SortIfLoaded(); }
    // Copies of the first `count` lines in list order (all of them when there are fewer). Lines
    // not sorted yet stay so: they are searched for the first ones in O(n log count).
    std::vector<std::string> FirstLines(std::size_t count) const;

    // The code a line must carry, or nothing to keep the line as it is. The same line must
    // always get the same answer: a line may be asked about twice.
    using CodeOf = std::function<std::optional<int>(std::string_view)>;
    // Gives each line the code `newCode` returns for it and restores the order (lines not sorted
    // since they were loaded are left for their first read to sort). This is how the date logic
    // applies its results; it is not an edit and is neither reported to the listener nor
    // counted as a revision.
    void Recode(const CodeOf& newCode);
    // Notes the inputs the codes were computed from.
    void MarkAssessed(const AssessKey& key);

    // The inputs of the last run, when the list has not been edited since.
    std::optional<AssessKey> AssessedFor() const;
    // The inputs of the last run, kept across edits, which statuses are worked out from; nothing
    // once the list was loaded or cleared and not assessed since.
    const std::optional<AssessKey>& LastAssessment() const { return LastAssessed; }

    // Counts edits; the date logic compares it to know whether the list changed since it ran.
    std::uint64_t Revision() const { return Revision_; }

    void SetListener(std::function<void(const StoreChange&)> listener) { Listener = std::move(listener); }

private:
    void Changed(StoreChange::Kind what, std::size_t index, std::string_view line);
    // What a recoding changed: lines, and the bytes they take; of them, lines whose code field
    // was not two bytes long and must be replaced by longer ones, and the bytes those take.
    struct Recoding {
        std::size_t Changed = 0;
        std::size_t Bytes = 0;
        std::size_t Grown = 0;
        std::size_t GrownBytes = 0;
    };
    // Writes each new two-digit code over its line's code field and marks the line in `changed`;
    // a line whose code field has another length is only marked and counted.
    Recoding RecodeInPlace(const CodeOf& newCode, std::vector<bool>& changed);
    // Replaces the marked lines whose code field is not two bytes long by lines with the code.
    void ReplaceGrownLines(const CodeOf& newCode, const std::vector<bool>& changed, const Recoding& counts);
    // Moves the handles of the changed lines (marked in `changed`) or of the others to List2, in
    // their order, and the rest to the front of List1; returns how many are at the front.
    std::size_t SplitOff(const std::vector<bool>& changed, bool changedInScratch);
    // Merges the sorted List2 into the sorted first `front` handles of List1.
    void MergeScratch(std::size_t front);
    // Copies the lines in use to a fresh arena once most of the old one is removed lines.
    void CompactIfWasteful();

    // Sorts the lines of a Load that were not sorted yet.
    void SortIfLoaded() const;

    enum class Order { Sorted, AsLoaded };
    // A loaded list stays in file order until it is needed sorted, which the const readers may
    // find: List1 is mutable for them.
    mutable std::vector<LineHandle> List1;
    mutable Order LinesOrder = Order::Sorted;
    std::vector<LineHandle> List2;
    LineArena Arena;
    // An upper bound of the arena's bytes that lines in use take.
    std::size_t LiveBytes = 0;
    std::uint64_t Revision_ = 0;
    std::optional<AssessKey> LastAssessed;
    std::function<void(const StoreChange&)> Listener;
};

} // namespace agendrix
