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

// Removes entry `index`, moving the later ones up (the spare feeds entry 14); an index past the
// entries in use changes nothing.
void RemoveRecentList(RecentLists& recent, std::size_t index);

// How many entries the recent-lists popup shows: the entries up to the first that names no file
// in a folder (holds no "/"), at most RecentListCount.
std::size_t RecentListsShown(const RecentLists& recent);

// The key that chooses the `number`th shown entry (1-based): "1" to "9", then "A" to "F".
char RecentListKey(std::size_t number);

// The popup's caption of the `number`th shown entry: " &", its key, two spaces and the file name
// without its folder, cut at the last ".agl" (lower case only: "Work.AGL" stays whole).
std::string RecentListCaption(std::size_t number, const std::string& path);

} // namespace agendrix
