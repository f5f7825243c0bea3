#pragma once

#include <array>
#include <string>

namespace agendrix {

inline constexpr std::size_t RecentListCount = 15;

// Paths of the recently opened lists, entry 0 the newest; entry 15 is a spare that stays empty
// and only feeds entry 14 when an entry is removed from the middle.
using RecentLists = std::array<std::string, RecentListCount + 1>;

// Puts listName at the top, removing an earlier entry exactly equal to it (case matters).
void UpdateRecentLists(RecentLists& recent, const std::string& listName);

} // namespace agendrix
