#pragma once

#include "DateStatus.h"
#include "LineArena.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix {

// Orders task lines as the list keeps them: by the whole line without regard to letter case
// (Windows-1252 letters included); lines equal but for case are ordered by their bytes, so the
// order never depends on the order of insertion.
bool TaskLineLess(std::string_view a, std::string_view b);

// One change made to the list, as a later undo history needs to record it.
struct StoreChange {
    enum class Kind { Add, Remove, Clear, Load };
    Kind What = Kind::Add;
    std::size_t Index = 0; // where the line was added or removed
    std::string Line; // the line added or removed (empty for Clear and Load)
};

// What the date logic decides for one line: the code it must carry (nothing keeps the line as
// it is) and its status entry.
struct LineAssessment {
    LineAssessment(std::optional<int> code = std::nullopt, DateStatus status = {})
        : Code(code)
        , Status(status)
    {
    }
    std::optional<int> Code;
    DateStatus Status;
};

// Lines read from a file, held in their own arena until a store takes them over.
struct LoadedLines {
    LineArena Arena;
    std::vector<std::string_view> Lines; // in file order
};

// The task store of an open list: `List1` (task lines, always sorted), the scratch store `List2`
// used while date-based codes are recomputed, and `lstDateInfo`, one status entry per line of
// `List1` at the same index. Every change to the lines goes through Add, Replace, Remove, Clear
// and Load. Lines are views into the store's arena: a view from Line() or Lines() is valid
// until the next change to the store.
class TaskStore {
public:
    std::size_t Count() const { return List1.size(); }
    bool Empty() const { return List1.empty(); }
    std::string_view Line(std::size_t index) const { return List1.at(index); }
    const std::vector<std::string_view>& Lines() const { return List1; }

    // Inserts at the sorted place and returns that index.
    std::size_t Add(std::string_view line);
    // Removes the line at `index` and adds `line` at its own sorted place; returns that index.
    std::size_t Replace(std::size_t index, std::string_view line);
    void Remove(std::size_t index);
    void Clear();
    // Replaces the whole list in O(n log n).
    void Load(LoadedLines lines);
    void Load(const std::vector<std::string>& lines);

    // Gives each line the code `assess` returns for it, restores the order and keeps each line's
    // status entry at the line's new index. This is how the date logic applies its results; it
    // is not an edit and is neither reported to the listener nor counted as a revision.
    void Recode(const std::function<LineAssessment(std::string_view)>& assess);
    // Notes the inputs the status entries were computed from.
    void MarkAssessed(const AssessKey& key);

    // Status entries, aligned with List1 after the date logic has run.
    const std::vector<DateStatus>& DateInfo() const { return lstDateInfo; }
    // The inputs of the last run, when the list has not been edited since.
    std::optional<AssessKey> AssessedFor() const;

    // Counts edits; the date logic compares it to know whether the list changed since it ran.
    std::uint64_t Revision() const { return Revision_; }

    void SetListener(std::function<void(const StoreChange&)> listener) { Listener = std::move(listener); }

private:
    void Changed(StoreChange::Kind what, std::size_t index, std::string_view line);
    bool SetCode(std::string_view& line, int code);
    // Copies the lines in use to a fresh arena once most of the old one is removed lines.
    void CompactIfWasteful();

    std::vector<std::string_view> List1;
    std::vector<std::string_view> List2;
    std::vector<DateStatus> lstDateInfo;
    LineArena Arena;
    std::size_t LiveBytes = 0;
    std::uint64_t Revision_ = 0;
    std::optional<AssessKey> LastAssessment;
    std::function<void(const StoreChange&)> Listener;
};

} // namespace agendrix
