#pragma once

#include "LineArena.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace agendrix {

// Orders task lines as the list keeps them: by the whole line without regard to letter case
// (Windows-1252 letters included); lines equal but for case are ordered by their bytes, so the
// order never depends on the order of insertion.
bool TaskLineLess(std::string_view a, std::string_view b);

// Sorts handles of `arena` by TaskLineLess of their lines; `lineBytes` is what those lines take
// together (line ends included or not, it only chooses the method). Where the lines are long
// enough to pay for it, each gets a 24-byte key of its first sixteen folded bytes, which decides
// most comparisons without reading the lines; shorter lines are sorted in place, so that sorting
// never takes more memory than the lines themselves.
void SortLines(std::span<LineHandle> handles, const LineArena& arena, std::size_t lineBytes);

} // namespace agendrix
