#pragma once

#include "CivilDate.h"
#include "FileAccess.h"
#include "ListDocument.h"
#include "Prompts.h"

#include <optional>
#include <string>
#include <string_view>

namespace agendrix {

// The companion file of a list: the list's path with the extension after the last "." of its
// file name replaced by "cti" (a name without "." gets ".cti" added).
std::string CompletedItemsPath(std::string_view listName);

// True when the header line of an existing completed-items file is of the current format:
// "5.0.0", and also "2.1.0" and "3.0.0", which wrote the same lines.
bool IsCurrentCompletedHeader(std::string_view headerLine);

// The name an older completed-items file is moved to: the path without ".cti", then year,
// month, day, hour, minute and second without padding, then ".CTI".
std::string OlderCompletedItemsName(std::string_view ctiPath, const DateTime& now);

struct ExportResult {
    enum class Status { NotSaved, NothingToExport, Exported, Failed };
    Status What = Status::Exported;
    std::size_t Count = 0; // tasks moved out of the list
    std::string CtiPath;
    FileError Error; // set when Failed

    // What undoing an export's change to the completed-items file needs: the size it had before
    // (nothing when the export created it), the bytes written, which begin with the old ones, and
    // where an older-format file was moved aside.
    std::optional<std::size_t> PreviousSize;
    std::string Written;
    std::string MovedAside;
};

// Moves every completed task from the end of the list to the end of its ".cti" file and tells
// the user the outcome. The tasks leave the list only once the file is safely written; an
// older-format file is first renamed aside (with a numbered suffix when that name is taken).
ExportResult ExportCompleted(
    ListDocument& document, Prompts& prompts, const DateTime& now, FileOps& ops = SystemFileOps());

// Gives the completed-items file back the state it had before `result`'s export, byte for byte,
// for when the list that the tasks were taken from could not be saved: without this, each retry
// would add the same tasks to the file again.
FileError RestoreCompletedItems(const ExportResult& result, FileOps& ops = SystemFileOps());

enum class PurgeResult { NothingToPurge, Declined, Purged };

// After asking the user, removes every completed task from the end of the list.
PurgeResult PurgeCompleted(ListDocument& document, Prompts& prompts);

// Removes every completed task from the end of the list, where the order puts them, without
// asking, and marks the list changed when any went; returns how many went. A completed task that
// sorts before another line (one with an unreadable code) is not at the end and stays.
std::size_t DropCompletedFromTheEnd(ListDocument& document);

std::string NoCompletedItemsMessage();

} // namespace agendrix
