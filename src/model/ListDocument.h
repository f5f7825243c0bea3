#pragma once

#include "TaskStore.h"

#include <string>
#include <string_view>

namespace agendrix {

inline constexpr std::string_view NewListName = "New Task List 1";

// The open list: its path, whether it has unsaved changes, and its tasks.
struct ListDocument {
    // Path of the list file, or NewListName while it was never saved.
    std::string ListName;
    bool Dirty = false;
    TaskStore Tasks;
};

// A list that has never been saved has no absolute path yet.
bool HasBeenSaved(std::string_view listName);

// The file name of a path, without its folder.
std::string_view FileNameOf(std::string_view path);
// The list's short name: its file name cut before the first ".".
std::string_view ShortName(std::string_view listName);
// " - " and the short name, as the caption label shows it.
std::string CaptionText(std::string_view listName);
// The short name, " - " and "Agendrix", as the window title shows it.
std::string WindowTitle(std::string_view listName);

} // namespace agendrix
