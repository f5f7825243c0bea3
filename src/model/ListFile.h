#pragma once

#include "CivilDate.h"
#include "FileAccess.h"
#include "FileLock.h"
#include "ListDocument.h"
#include "Prompts.h"
#include "RecentLists.h"
#include "TaskStore.h"
#include "Windows1252.h"

#include "LargeBuffer.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix {

inline constexpr std::string_view ProgramVersion = "5.0.0";

// "Format: 5.0.0", the first line of every list and completed-items file we write.
std::string HeaderLine();

// The whole file: the header and every line, each ended by CR LF.
template <typename Lines> std::string EncodeListFile(const Lines& lines)
{
    std::size_t size = HeaderLine().size() + 2;
    for (const auto& line : lines)
        size += std::string_view(line).size() + 2;
    std::string bytes;
    bytes.reserve(size);
    AdviseHugePages(bytes.data(), size);
    bytes += HeaderLine();
    bytes += "\r\n";
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

inline std::string EncodeListFile(std::initializer_list<std::string_view> lines)
{
    return EncodeListFile<std::initializer_list<std::string_view>>(lines);
}

enum class ListFormat {
    Version1, // no header; codes are inverted and dates reset
    Version20, // an older header; dates reset
    Current, // 2.1.0, 3 and later
};

// Where reading stopped early: a list ends at its first empty line, and this one had lines after
// it that the list does not hold.
struct ReadStop {
    std::size_t EmptyLine = 0; // 1-based line number in the file
    std::size_t LinesAfter = 0; // non-empty lines after it

    bool operator==(const ReadStop&) const = default;
};

// The text encoding the file was found in. Lists are Windows-1252; a file that starts with the
// UTF-8 byte-order mark is UTF-8 text, which is converted as it is read.
enum class SourceEncoding { Windows1252, Utf8 };

struct ParsedList {
    ListFormat Format = ListFormat::Current;
    LoadedLines Loaded; // unsorted, in file order, already converted
    std::optional<ReadStop> Stopped;
    SourceEncoding Encoding = SourceEncoding::Windows1252;
    Lossiness Conversion = Lossiness::Exact; // of a UTF-8 file's text to Windows-1252
};

// Reads the bytes of a list file, stopping at the first empty line. The lines stay in `bytes`,
// which the result takes over, each line end's first byte turned into '\n' (an older file's
// lines are converted in place where they fit). An empty file is an empty current list. CR LF,
// LF, a lone CR and CR CR LF each end a line.
ParsedList ParseListFile(std::string bytes, const CivilDate& today);

// Replaces the date field (between the 4th and 5th Tab) by today as yyyymmdd; a line without
// a fifth Tab is kept as it is.
std::string ConvertOldLine(std::string_view line, const CivilDate& today);
// A version 1 line: the old code c in the first two characters becomes 10 - c.
std::string ConvertVersion1Line(std::string_view line, const CivilDate& today);

std::string Version20Message();
std::string Version1Message();
// Warns that the lines after an empty line were not read and would be lost by a save.
std::string ReadStopMessage(std::string_view path, const ReadStop& stop);
// Says that a UTF-8 file was converted to the encoding of task lists.
std::string Utf8ListMessage(std::string_view path, Lossiness conversion);

// Hands the file EncodeListFile makes of `lines` to `write`, a piece of up to 64 KiB at a time,
// so that the file's bytes are never held whole beside the lines; false once `write` failed.
bool WriteListFile(const TaskLines& lines, const WritePiece& write);

// Writes the tasks as a list file the way SaveFileAtomically does, through WriteListFile.
FileError SaveTasksAtomically(
    const std::string& path, const TaskStore& tasks, FileOps& ops = SystemFileOps());

// Writes the document's tasks to its ListName; clears Dirty on success. On failure the old file
// is left as it was, Dirty stays set and the error names the file and the reason. `lock` is the
// caller's lock on ListName; while it is held, the save also removes the temporary files that
// killed saves of the list left behind.
FileError SaveList(ListDocument& document, const FileLock& lock, FileOps& ops = SystemFileOps());

// How long a save waits for another program that is saving the same list.
inline constexpr int SaveLockWaitMs = 30000;

// Takes the list's lock, then saves as SaveList does; a lock that stayed busy is the error.
FileError SaveListLocked(ListDocument& document, FileOps& ops = SystemFileOps());

struct GetListResult {
    enum class Status {
        Untitled, // ListName was empty and is now NewListName
        Missing, // no such file: the store was left as it was
        Loaded,
        Failed, // the file exists but could not be read: the store was left as it was
    };
    Status What = Status::Loaded;
    ListFormat Format = ListFormat::Current;
    FileError Error; // set when Failed, and when Missing because the name is a folder
    std::optional<ReadStop> Stopped; // set when Loaded and lines after an empty line were left out
    SourceEncoding Encoding = SourceEncoding::Windows1252;
};

// Loads the file named by document.ListName into its store, notes it in the recent lists, and
// tells the user through `prompts` when an older format or a UTF-8 file was converted and when
// lines after an empty line were left out. A name that is a folder, not a file, is Missing.
// Clears Dirty when loaded. The same as TakeListRead of ReadList.
GetListResult GetList(ListDocument& document, RecentLists& recent, Prompts& prompts, const CivilDate& today,
    FileOps& ops = SystemFileOps());

// What reading a list file found, before the user was told anything: the half of GetList that
// needs neither the document nor the user, and so may run on another thread.
struct ListRead {
    GetListResult Outcome; // never Untitled
    Lossiness Conversion = Lossiness::Exact; // of a UTF-8 file's text
    TaskStore Tasks; // the lines read when Outcome is Loaded
};

// Reads and parses the list file `listName` names (not empty) as GetList does.
ListRead ReadList(const std::string& listName, const CivilDate& today, FileOps& ops = SystemFileOps());

// The other half of GetList, for a `read` of document.ListName: notes the list in the recent
// lists and, when it was loaded, tells the user what GetList tells, in the same order, puts
// read.Tasks in the document's store and clears Dirty.
GetListResult TakeListRead(ListDocument& document, RecentLists& recent, Prompts& prompts, ListRead read);

// Whether TakeListRead of `read` tells the user anything.
bool TellsTheUser(const ListRead& read);

} // namespace agendrix
