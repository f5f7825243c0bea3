#pragma once

#include "model/CivilDate.h"
#include "model/ListIndex.h"
#include "model/TextImport.h"
#include "model/WebPage.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix::cli {

enum class CommandName {
    Show,
    Assess,
    Add,
    Complete,
    ExportCompleted,
    Purge,
    Index,
    ExportHtml,
    ImportText,
    Pack,
    Unpack
};

enum class OutputForm { Table, Json };

// What a command that writes the list does with a list whose reading stopped at an empty line
// with more lines after it: saving it would drop those lines from the file.
enum class WhenReadStopped { Refuse, WriteAnyway };

// `-o -`: the assessed or imported list goes to standard output instead of a file.
inline constexpr std::string_view StandardOutput = "-";

// The command line, checked for form only; files are not touched here.
struct CliArguments {
    std::optional<DateTime> Today;
    std::optional<int> DaysPerLevel;
    CommandName Command = CommandName::Show;
    std::string File; // for index: the FOLDER; for import-text: the TEXTFILE
    std::string Output; // -o, for assess, export-html and import-text: a file, or StandardOutput
    OutputForm Form = OutputForm::Table;
    std::size_t Index = 0; // complete
    WhenReadStopped Force = WhenReadStopped::Refuse; // --force, for the commands that write the list
    LineNumbers Numbers = LineNumbers::Without; // --numbers, for import-text

    // index
    IndexNumbers Numbered = IndexNumbers::Off; // --numbered
    IndexTopTasks TopTasks = IndexTopTasks::Off; // --top5

    // export-html
    std::string Template; // --template, empty for the program folder's
    PageColour Colour = PageColour::Grey; // --color: by category

    // pack: File is OUT; unpack: File is the first PACKAGE
    std::vector<std::string> Files; // pack: the FILEs as given; unpack: every PACKAGE
    std::string Source; // --source
    std::string PackageName; // --name

    // add
    std::string Description;
    std::string Information;
    std::optional<int> PriorityOption; // 1 to 10, from --priority
    std::optional<CivilDate> Due;
    std::string Days = "1";
    int DayKind = 0;
    std::string AssociatedFile;
};

struct ParsedArguments {
    std::optional<CliArguments> Arguments;
    std::string Error; // a usage error, when Arguments is empty
};

ParsedArguments ParseArguments(const std::vector<std::string>& args);

std::string UsageText();

// "extreme", "very-high", "high", "low", "unprioritized", "completed", "broken" or a level 1 to 7,
// as the editor's option number (code); nothing for anything else.
std::optional<int> PriorityOptionFromName(const std::string& name);

} // namespace agendrix::cli
