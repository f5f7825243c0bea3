#pragma once

#include "DateStatus.h"

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

// The task store of an open list: `List1` (task lines, always sorted), the scratch store `List2`
// used while date-based codes are recomputed, and `lstDateInfo`, one status entry per line of
// `List1` at the same index. Every change to the lines goes through Add, Replace, Remove, Clear
// and Load.
class TaskStore {
public:
    std::size_t Count() const { return List1.size(); }
    bool Empty() const { return List1.empty(); }
    const std::string& Line(std::size_t index) const { return List1.at(index); }
    const std::vector<std::string>& Lines() const { return List1; }

    // Inserts at the sorted place and returns that index.
    std::size_t Add(std::string line);
    // Removes the line at `index` and adds `line` at its own sorted place; returns that index.
    std::size_t Replace(std::size_t index, std::string line);
    void Remove(std::size_t index);
    void Clear();
    // Replaces the whole list in O(n log n).
    void Load(std::vector<std::string> lines);

    // Rewrites lines in place through `recode` (which returns true for a line it changed) and
    // restores the order. This is how recomputed date codes are applied; it is not an edit and
    // is neither reported to the listener nor counted as a revision of the list.
    void Recode(const std::function<bool(std::string&)>& recode);

    // Status entries, aligned with List1 after the date logic has run.
    const std::vector<DateStatus>& DateInfo() const { return lstDateInfo; }
    // Stores the status entries of a date logic run together with the inputs it used.
    void SetDateInfo(std::vector<DateStatus> info, const AssessKey& key);
    // The inputs of the last run, when the list has not been edited since.
    std::optional<AssessKey> AssessedFor() const;

    // Counts edits; the date logic compares it to know whether the list changed since it ran.
    std::uint64_t Revision() const { return Revision_; }

    void SetListener(std::function<void(const StoreChange&)> listener) { Listener = std::move(listener); }

private:
    void Changed(StoreChange change);

    std::vector<std::string> List1;
    std::vector<std::string> List2;
    std::vector<DateStatus> lstDateInfo;
    std::uint64_t Revision_ = 0;
    std::optional<AssessKey> LastAssessment;
    std::function<void(const StoreChange&)> Listener;
};

} // namespace agendrix
