#pragma once

#include "CivilDate.h"
#include "FileAccess.h"
#include "TaskStore.h"
#include "Windows1252.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace agendrix {

// Whether each imported task's description begins with its line's number ("001 - "), so that the
// sorted list keeps the order the lines had in the text file.
enum class LineNumbers { Without, With };

// The task lines a plain text file gives: one unprioritized task a non-blank line.
struct ImportedText {
    LoadedLines Loaded; // in the text's order
    // Replaced when characters of a UTF-8 text had no Windows-1252 byte and became "?".
    Lossiness Conversion = Lossiness::Exact;
    std::size_t CutLines = 0; // lines too long for a task line, cut to fit
    // Set when the tasks would make a list file larger than the largest one allowed, by default
    // the largest one that can be read back (MaxFileSize); Loaded is then empty.
    bool TooLarge = false;
};

// Turns the bytes of a text file into task lines. The text is Windows-1252 unless it begins with
// the UTF-8 byte-order mark or is valid UTF-8 with bytes above 127; UTF-8 is converted. Lines end
// at LF, CR LF or CR; each loses its leading and trailing blanks, and a line left empty is
// skipped. Tabs and other control characters become blanks first: a task field holds neither, and
// a NUL or a form feed in a description would only show as junk. Each kept line becomes the line
// of a task with code "09", the line as its description (after "%03d - " and its number among the
// kept lines, with `numbers`), no information, not date-based, dated `today`, 3 days to complete,
// weekdays, and no file; a description longer than a task line allows is cut at its end.
// `largestList` is the size in bytes of the largest list file the tasks may make once saved.
ImportedText ImportTextLines(
    std::string bytes, LineNumbers numbers, const CivilDate& today, std::uint64_t largestList = MaxFileSize);

// What importing a file gave: the tasks and the new list's name, or an error that names the file.
struct TextImport {
    enum class Status { Imported, Failed };
    Status What = Status::Imported;
    FileError Error; // set when Failed
    std::string ListName; // see ImportedListName
    ImportedText Text;
};

// Reads the text file at `path` and imports it as ImportTextLines does.
TextImport ImportTextFile(
    const std::string& path, LineNumbers numbers, const CivilDate& today, FileOps& ops = SystemFileOps());

// The name of a list imported from `path`: its file name without the folder and without the part
// from its last "." on ("notes.backup.txt" gives "notes.backup"). A name without a dot, or whose
// only dot begins it (".todo"), stays whole.
std::string ImportedListName(std::string_view path);

// What the user is told once after importing `path`: that characters became "?", how many lines
// were cut, or both; empty when there is nothing to tell.
std::string ImportNotice(std::string_view path, const ImportedText& text);

} // namespace agendrix
