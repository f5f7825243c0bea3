#pragma once

#include "FileAccess.h"
#include "TaskLines.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace agendrix {

// A list written as a web page through a template that the user may edit: the template is a
// sample page whose variable parts are marked, and the page repeats its parts for every category
// and task of the list.

// The template file's name in the program folder.
inline constexpr std::string_view PageTemplateFileName = "HTML Format.htm";

// The markers of a template, in the order in which they must stand in it. The six-digit ones
// stand where a colour is written (as RRGGBB, upper case).
inline constexpr std::array<std::string_view, 17> PageMarkers {
    "{PageTitle}", // 0: the list's title
    "{TaskList}", // 1: the list's title
    "{ListDetails}", // 2: the count of tasks and the day of the export
    "C00001", // 3: the first category's colour
    "{CategoryTitle}", // 4: the first category's title
    "C00002", // 5: a task's colour
    "{TaskDescription1}", // 6: a task's description
    "{TaskInformation1}", // 7: a task's information, when it has any
    "C00003", // 8: the colour of a task that follows another of its category
    "{TaskDescription2}", // 9 and 10: a second sample task, never written
    "{TaskInformation2}",
    "C00004", // 11: the colour of each further category
    "{NextCategory}", // 12: its title
    "C00005", // 13: the colour of a further category's first task
    "{TaskDescription3}", // 14 and 15: a third sample task, never written
    "{TaskInformation3}",
    "{TaskFile}", // 16: the list file's full path
};

inline constexpr std::size_t PageTemplatePieces = PageMarkers.size() + 1;

// A template cut at its markers: piece k is the text in front of marker k, the last piece the
// text after "{TaskFile}". Every line of the template ends with CR LF in the pieces, whatever
// line ends the file has.
struct PageTemplate {
    std::array<std::string, PageTemplatePieces> Pieces;
};

struct TemplateCut {
    std::optional<PageTemplate> Template;
    // Without a template: one sentence that names the file and the first marker not found in
    // order, or why the file could not be read.
    std::string Error;
};

// Cuts the text of the template file `path` (named in the error) at its markers, each looked for
// from just after the one before. Text that is not valid UTF-8 is taken as Windows-1252.
TemplateCut CutPageTemplate(std::string_view text, std::string_view path);

// Reads the template file `path` and cuts it.
TemplateCut LoadPageTemplate(const std::string& path, FileOps& ops = SystemFileOps());

// The list's file name after its last "/", without ".agl" (in any letter case) at its end.
std::string WebPageTitle(std::string_view listName);

enum class PageColour { Grey, ByCategory };

// What the page says besides the tasks.
struct PageDetails {
    std::string_view ListName; // the list file's full path, as the file system spells it
    std::string_view Today; // the day of the export, as the user reads dates (UTF-8)
    PageColour Colour = PageColour::ByCategory;
};

// The page of `tasks` (Windows-1252 task lines in list order), made from `pieces`, handed to
// `write` a piece of up to about 64 KiB at a time and ended by CR LF. The texts of the tasks,
// the title and the path are written as UTF-8 with "&", "<", ">" and '"' as character
// references, so that no task can add markup to the page; a "¶" of an information text is a
// line break ("<br>"). False once `write` failed.
bool WriteWebPage(
    const PageTemplate& pieces, TaskLines tasks, const PageDetails& details, const WritePiece& write);

// Whether `output` is the list file `listName` itself (or a link to it), which a page written
// there would replace.
bool IsTheListFile(const std::string& output, const std::string& listName);
// Says that nothing was written because `output` is the list file.
std::string PageOverListMessage(std::string_view output);

// The same page, whole.
std::string BuildWebPage(const PageTemplate& pieces, TaskLines tasks, const PageDetails& details);

} // namespace agendrix
