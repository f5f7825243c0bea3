#pragma once

#include "FileAccess.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix {

// The name the window gives the list index it shows instead of a list.
inline constexpr std::string_view ListIndexName = "List Index";

enum class IndexNumbers { Off, On }; // NumOrder: "0 - " before the newest list's name, and so on
enum class IndexTopTasks { Off, On }; // ShowTop5: each list's first five tasks as its information

// A list file of the indexed folder as the index needs it.
struct IndexedList {
    std::string Name; // the file's name, without its folder, as the file system spells it
    std::string ModifiedKey; // its modification time, local, as yyyymmddhhnn
    std::string TopTasks; // its first five descriptions joined by "¶", or empty
};

// One task line per list, newest first: the code counts the age from "02" for the newest to
// "09" for the eighth and all older ones; the description is the name without its last four
// characters (the ".agl"), numbered as `numbers` says with as many digits as the count of lists
// has; the date is the modification day; the associated file is `folder` (ending with "/") and the
// name. Lists modified in the same minute come in name order, the later name first.
std::vector<std::string> IndexLines(
    std::vector<IndexedList> lists, std::string_view folder, IndexNumbers numbers);

// The descriptions of the first five tasks of a list file whose first lines are `start`: the
// first line is skipped as the header it is, then of each of up to five lines the text from its
// fourth character to its next Tab; joined by "¶".
std::string TopTasksOf(std::string_view start);

struct ListIndexRead {
    std::vector<std::string> Lines; // as IndexLines makes them
    std::vector<FileError> Unreadable; // lists that could not be read, left out of the index
};

// The index of the ".agl" files (the extension in any letter case) in `folder`; with
// IndexTopTasks::On each list's first six lines are read, no more. A folder that cannot be
// read gives an empty index and one error naming it.
ListIndexRead ReadListIndex(const std::string& folder, IndexNumbers numbers, IndexTopTasks topTasks);

// A file of a directory listing.
struct ListedFile {
    std::string Name;
    std::uintmax_t Size = 0; // bytes
    std::time_t Modified = 0;
};

// One task line per file: code "09", the name without its last four characters, the
// information "Size: N bytes¶Date last modified: " and `dateTimeText` (UTF-8) of its modification time,
// the modification day as its date (local time), and `folder` with the name as its file.
std::vector<std::string> DirectoryLines(const std::vector<ListedFile>& files, std::string_view folder,
    const std::function<std::string(std::time_t)>& dateTimeText);

// The regular files of `folder` whose extension is `extension` in any letter case (without
// its dot; empty: the files without an extension), in name order.
std::vector<ListedFile> FilesOfType(const std::string& folder, std::string_view extension);

// yyyymmddhhnn and yyyymmdd of a time, in local time.
std::string LocalMinuteKey(std::time_t time);

} // namespace agendrix
